#include "PictureFormats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace {

constexpr std::array<std::string_view, 1> BmpExtensions{".bmp"};
constexpr std::array<std::string_view, 3> JpegExtensions{".jpg", ".jpeg", ".jpe"};
constexpr std::array<std::string_view, 1> PngExtensions{".png"};
constexpr std::array<std::string_view, 4> PnmExtensions{".ppm", ".pgm", ".pbm", ".pnm"};
constexpr std::array<std::string_view, 2> TiffExtensions{".tif", ".tiff"};
constexpr std::array<std::string_view, 1> WebPExtensions{".webp"};
constexpr std::array<std::string_view, 1> GifExtensions{".gif"};

constexpr std::array<TFileFormatInfo, 7> Formats{{
    {TFileFormat::Bmp, "BMP", BmpExtensions, true, true},
    {TFileFormat::Jpeg, "JPEG", JpegExtensions, true, true},
    {TFileFormat::Png, "PNG", PngExtensions, true, true},
    {TFileFormat::Pnm, "PNM", PnmExtensions, true, true},
    {TFileFormat::Tiff, "TIFF", TiffExtensions, true, false},
    {TFileFormat::WebP, "WebP", WebPExtensions, true, true},
    {TFileFormat::Gif, "GIF", GifExtensions, true, false},
}};

bool StartsWith(std::span<const std::uint8_t> Data, std::string_view Signature, std::size_t At = 0) {
    if (Data.size() < At + Signature.size()) return false;
    return std::equal(Signature.begin(), Signature.end(), Data.begin() + std::ptrdiff_t(At),
                      [](char S, std::uint8_t D) { return std::uint8_t(S) == D; });
}

bool IsPnmSignature(std::span<const std::uint8_t> Data) {
    return Data.size() >= 3 && Data[0] == 'P' && Data[1] >= '1' && Data[1] <= '6' && std::isspace(Data[2]);
}

std::vector<std::string_view> ExtensionsWhere(bool TFileFormatInfo::*Flag) {
    std::vector<std::string_view> Result;
    for (const TFileFormatInfo& F : Formats)
        if (F.*Flag)
            for (const std::string_view E : F.Extensions) Result.push_back(E.substr(1));
    return Result;
}

}  // namespace

std::span<const TFileFormatInfo> FileFormats() { return Formats; }

const TFileFormatInfo& FormatInfo(TFileFormat Format) {
    return *std::ranges::find(Formats, Format, &TFileFormatInfo::Format);
}

std::optional<TFileFormat> FormatOfContent(std::span<const std::uint8_t> Data) {
    if (StartsWith(Data, "BM")) return TFileFormat::Bmp;
    if (StartsWith(Data, "\xFF\xD8\xFF")) return TFileFormat::Jpeg;
    if (StartsWith(Data, "\x89PNG\r\n\x1A\n")) return TFileFormat::Png;
    if (IsPnmSignature(Data)) return TFileFormat::Pnm;
    if (StartsWith(Data, std::string_view("II*\0", 4)) || StartsWith(Data, std::string_view("MM\0*", 4))) return TFileFormat::Tiff;
    if (StartsWith(Data, "RIFF") && StartsWith(Data, "WEBP", 8)) return TFileFormat::WebP;
    if (StartsWith(Data, "GIF87a") || StartsWith(Data, "GIF89a")) return TFileFormat::Gif;
    return std::nullopt;
}

std::optional<TFileFormat> FormatOfExtension(std::string_view FileName) {
    const auto Dot = FileName.rfind('.');
    if (Dot == std::string_view::npos || FileName.find('/', Dot) != std::string_view::npos) return std::nullopt;
    std::string Extension;
    for (const char C : FileName.substr(Dot)) Extension += char(std::tolower(static_cast<unsigned char>(C)));
    for (const TFileFormatInfo& F : Formats)
        if (std::ranges::find(F.Extensions, Extension) != F.Extensions.end()) return F.Format;
    return std::nullopt;
}

std::vector<std::string_view> ReadableExtensions() { return ExtensionsWhere(&TFileFormatInfo::Reads); }
std::vector<std::string_view> WritableExtensions() { return ExtensionsWhere(&TFileFormatInfo::Writes); }
