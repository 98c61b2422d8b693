#include "PictureReader.h"

#include "JPEGImage.h"
#include "ModelDepth.h"
#include "ModelReader.h"
#include "PictureFiles.h"
#include "PictureFormats.h"
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

TPictureRead ReadDepthFile(const std::string& FileName, int Width, int Height, const TModelView& View) {
    const std::vector<std::uint8_t> Bytes = ReadPictureFileBytes(FileName);
    if (!FormatOfContent(Bytes) && LooksLikeModel(Bytes, FileName)) {
        TPictureRead Result;
        Result.Picture.SetGraphic(std::make_unique<TBitmap>(RenderModelDepth(FileName, Width, Height, View)));
        Result.FromModel = true;
        return Result;
    }
    return ReadPictureBytes(Bytes, FileName);
}

TPictureRead ReadPictureBytes(std::span<const std::uint8_t> Bytes, const std::string& NameHint) {
    TPicture Loaded;
    LoadPictureFromBytes(Loaded, Bytes, NameHint);
    return Taken(Loaded);
}
