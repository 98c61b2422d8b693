#include "PictureReader.h"

#include "JPEGImage.h"
#include "PictureFiles.h"
#include "SampleLoaders.h"

namespace {

TPictureRead Taken(TPicture& Loaded) {
    TPictureRead Result;
    TakeLoadedPicture(Result.Picture, Loaded);
    if (const auto* Jpeg = Loaded.As<TJPEGImage>()) Result.Warnings = Jpeg->DecodeWarnings();
    return Result;
}

}  // namespace

TPictureRead ReadPicture(const std::string& FileName) {
    TPicture Loaded;
    LoadPictureFromFile(Loaded, FileName);
    return Taken(Loaded);
}

TPictureRead ReadPictureBytes(std::span<const std::uint8_t> Bytes, const std::string& NameHint) {
    TPicture Loaded;
    LoadPictureFromBytes(Loaded, Bytes, NameHint);
    return Taken(Loaded);
}
