#include "PictureFiles.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <span>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "BmpFormat.h"
#include "Exception.h"
#include "JPEGImage.h"
#include "PpmFormat.h"

namespace {

// No picture within the size limits needs a larger file; a bigger one is not read into memory.
constexpr std::uintmax_t MaxFileBytes = std::uintmax_t(512) * 1024 * 1024;

std::string LowerExtension(const std::string& FileName) {
    std::string Extension = std::filesystem::path(FileName).extension().string();
    std::transform(Extension.begin(), Extension.end(), Extension.begin(),
                   [](unsigned char C) { return static_cast<char>(std::tolower(C)); });
    return Extension;
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary);
    if (!File) throw Exception("Datei kann nicht geöffnet werden: " + FileName);
    std::error_code Error;
    const std::uintmax_t Size = std::filesystem::file_size(FileName, Error);
    if (Error) throw Exception("Datei kann nicht gelesen werden: " + FileName);
    if (Size > MaxFileBytes) throw EInvalidGraphic("Datei ist zu groß: " + FileName);
    std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(Size));
    File.read(reinterpret_cast<char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    if (File.gcount() != static_cast<std::streamsize>(Bytes.size()))
        throw Exception("Datei kann nicht gelesen werden: " + FileName);
    return Bytes;
}

std::unique_ptr<TGraphic> ReadGraphic(const std::string& Extension, std::span<const std::uint8_t> Bytes) {
    if (Extension == ".bmp") return std::make_unique<TBitmap>(ReadBmp(Bytes));
    if (Extension == ".png") return std::make_unique<TBitmap>(ReadPng(Bytes));
    auto Jpeg = std::make_unique<TJPEGImage>();
    Jpeg->LoadFromBytes(Bytes);
    return Jpeg;
}

std::vector<std::uint8_t> EncodeBitmap(const TBitmap& Bitmap, const std::string& FileName, const TPngTextChunks& Text) {
    const std::string Extension = LowerExtension(FileName);
    if (Extension == ".png") return WritePng(Bitmap, Text);
    if (Extension == ".bmp") return WriteBmp(Bitmap);
    if (Extension == ".ppm") return WritePpm(Bitmap);
    throw Exception("Unbekanntes Dateiformat: " + FileName);
}

bool WriteAll(int File, std::span<const std::uint8_t> Bytes) {
    while (!Bytes.empty()) {
        const ssize_t Written = ::write(File, Bytes.data(), Bytes.size());
        if (Written < 0 && errno == EINTR) continue;
        if (Written <= 0) return false;
        Bytes = Bytes.subspan(static_cast<std::size_t>(Written));
    }
    return true;
}

}  // namespace

void LoadPictureFromFile(TPicture& Picture, const std::string& FileName) {
    const std::string Extension = LowerExtension(FileName);
    if (Extension != ".bmp" && Extension != ".png" && Extension != ".jpg" && Extension != ".jpeg")
        throw EInvalidGraphic("Unbekanntes Bildformat: " + FileName);
    Picture.SetGraphic(ReadGraphic(Extension, ReadWholeFile(FileName)));
}

void SaveBitmapToFile(const TBitmap& Bitmap, const std::string& FileName, const TPngTextChunks& Text) {
    const std::vector<std::uint8_t> Bytes = EncodeBitmap(Bitmap, FileName, Text);
    std::string TempName = FileName + ".XXXXXX";
    const int File = ::mkstemp(TempName.data());
    if (File < 0) throw Exception("Datei kann nicht geschrieben werden: " + FileName);
    const bool Written = WriteAll(File, Bytes) && ::fchmod(File, 0644) == 0 && ::fsync(File) == 0;
    if (::close(File) != 0 || !Written || std::rename(TempName.c_str(), FileName.c_str()) != 0) {
        std::remove(TempName.c_str());
        throw Exception("Datei kann nicht geschrieben werden: " + FileName);
    }
}
