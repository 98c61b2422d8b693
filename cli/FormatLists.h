// The formats we read and write, worded for messages and help from the formats table, so
// that a format added there appears here without a change.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "PictureFormats.h"

namespace cli {

// "a, b or c".
std::string JoinedWithOr(const std::vector<std::string>& Words);

// The names of the formats we read: "BMP, JPEG or PNG".
std::string ReadFormatNames();
// The usual extension of each format we write, without dots: "bmp, png or ppm".
std::string WrittenExtensions();
// The format we write that Extension (without its dot, any letter case) names.
std::optional<TFileFormat> WrittenFormatOfExtension(std::string_view Extension);

}  // namespace cli
