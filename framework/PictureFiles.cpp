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
#include "JpegCodec.h"
#include "PictureFormats.h"
#include "PpmFormat.h"

namespace {

// No picture within the size limits needs a larger file; a bigger one is not read into memory.
constexpr std::uintmax_t MaxFileBytes = std::uintmax_t(512) * 1024 * 1024;

[[noreturn]] void CannotRead(const std::string& FileName, int ErrorNumber) {
    throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, ErrorNumber);
}

std::unique_ptr<TGraphic> ReadGraphic(TFileFormat Format, std::span<const std::uint8_t> Bytes) {
    switch (Format) {
        case TFileFormat::Bmp: return std::make_unique<TBitmap>(ReadBmp(Bytes));
        case TFileFormat::Png: return std::make_unique<TBitmap>(ReadPng(Bytes));
        case TFileFormat::Jpeg: {
            auto Jpeg = std::make_unique<TJPEGImage>();
            Jpeg->LoadFromBytes(Bytes);
            return Jpeg;
        }
        case TFileFormat::Pnm:
        case TFileFormat::Tiff:
        case TFileFormat::WebP:
        case TFileFormat::Gif: break;
    }
    const std::string Name(FormatInfo(Format).Name);
    throw EInvalidGraphic(Name + "-Bilder werden nicht gelesen", TReadFailure::Unsupported, Name, "this format is not read");
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

std::vector<std::uint8_t> ReadPictureFileBytes(const std::string& FileName) {
    std::ifstream File(FileName, std::ios::binary);
    if (!File) throw EFileError("Datei kann nicht geöffnet werden: " + FileName, FileName, errno);
    std::error_code Error;
    if (std::filesystem::is_directory(FileName, Error)) CannotRead(FileName, EISDIR);
    const std::uintmax_t Size = std::filesystem::file_size(FileName, Error);
    if (Error) CannotRead(FileName, Error.value());
    if (Size > MaxFileBytes)
        throw EInvalidGraphic("Datei ist zu groß: " + FileName, TReadFailure::TooLarge, {}, std::to_string(Size) + " bytes");
    std::vector<std::uint8_t> Bytes(static_cast<std::size_t>(Size));
    File.read(reinterpret_cast<char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    if (File.gcount() != static_cast<std::streamsize>(Bytes.size())) CannotRead(FileName, errno ? errno : EIO);
    return Bytes;
}

void LoadPictureFromBytes(TPicture& Picture, std::span<const std::uint8_t> Bytes, const std::string& NameHint) {
    std::optional<TFileFormat> Format = FormatOfContent(Bytes);
    // Every format we read starts with a signature; only a bitmap file of zero length, a
    // bitmap without pixels, is known by its name alone.
    if (!Format && Bytes.empty() && FormatOfExtension(NameHint) == TFileFormat::Bmp) Format = TFileFormat::Bmp;
    if (!Format) throw EInvalidGraphic("Unbekanntes Bildformat: " + NameHint, TReadFailure::NotAPicture);
    Picture.SetGraphic(ReadGraphic(*Format, Bytes));
}

void LoadPictureFromFile(TPicture& Picture, const std::string& FileName) {
    LoadPictureFromBytes(Picture, ReadPictureFileBytes(FileName), FileName);
}

std::vector<std::uint8_t> EncodeBitmap(const TBitmap& Bitmap, TFileFormat Format, const TPngTextChunks& Text,
                                       const TSaveOptions& Options) {
    switch (Format) {
        case TFileFormat::Png: return WritePng(Bitmap, Text);
        case TFileFormat::Bmp: return WriteBmp(Bitmap);
        case TFileFormat::Pnm: return WritePpm(Bitmap);
        case TFileFormat::Jpeg: return WriteJpeg(Bitmap, Options.JpegQuality);
        case TFileFormat::Tiff:
        case TFileFormat::WebP:
        case TFileFormat::Gif: break;
    }
    throw Exception(std::string(FormatInfo(Format).Name) + "-Dateien werden nicht geschrieben");
}

void SaveBitmapToFile(const TBitmap& Bitmap, const std::string& FileName, const TPngTextChunks& Text, const TSaveOptions& Options) {
    const std::optional<TFileFormat> Format = FormatOfExtension(FileName);
    if (!Format || !FormatInfo(*Format).Writes) throw Exception("Unbekanntes Dateiformat: " + FileName);
    const std::vector<std::uint8_t> Bytes = EncodeBitmap(Bitmap, *Format, Text, Options);
    std::string TempName = FileName + ".XXXXXX";
    const int File = ::mkstemp(TempName.data());
    if (File < 0) throw EFileError("Datei kann nicht geschrieben werden: " + FileName, FileName, errno);
    const bool Written = WriteAll(File, Bytes) && ::fchmod(File, 0644) == 0 && ::fsync(File) == 0;
    if (::close(File) != 0 || !Written || std::rename(TempName.c_str(), FileName.c_str()) != 0) {
        const int ErrorNumber = errno;
        std::remove(TempName.c_str());
        throw EFileError("Datei kann nicht geschrieben werden: " + FileName, FileName, ErrorNumber);
    }
}
