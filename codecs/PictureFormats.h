// The picture file formats the program knows: their names, file-name extensions, how their
// content is recognised, and whether we read and write them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

enum class TFileFormat : std::uint8_t { Bmp, Jpeg, Png, Pnm, Tiff, WebP, Gif };

struct TFileFormatInfo {
    TFileFormat Format;
    std::string_view Name;                     // "PNG"
    std::span<const std::string_view> Extensions;  // lower case with the dot; the first is the usual one
    bool Reads;
    bool Writes;
};

std::span<const TFileFormatInfo> FileFormats();
const TFileFormatInfo& FormatInfo(TFileFormat Format);

// The format whose signature starts Data, if any.
std::optional<TFileFormat> FormatOfContent(std::span<const std::uint8_t> Data);
// The format whose extension FileName ends in, letter case ignored, if any.
std::optional<TFileFormat> FormatOfExtension(std::string_view FileName);

// The extensions of every format we read, or write, without their dots ("png", "jpg", …).
std::vector<std::string_view> ReadableExtensions();
std::vector<std::string_view> WritableExtensions();
