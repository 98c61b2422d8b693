// Reading one option's value; every malformed value raises UsageError naming the option.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "OptionNames.h"
#include "Options.h"

namespace cli {

// Flag: an option without a value (its value is 1).
enum class ValueKind : std::uint8_t {
    Integer, Count, Number, DepthSource, MaskSource, StereoType, Blur, DotColor, Paper, Flag, Name, ReliefProfile, Projection, Rotation,
};

SettingValue ParseSettingValue(std::string_view Option, ValueKind Kind, std::string_view Text);
std::uint32_t ParseSeed(std::string_view Option, std::string_view Text);
// anaglyph, pair, wiggle or relief.
TStereoView ParseView(std::string_view Option, std::string_view Text);
// A whole number from 1 up.
int ParseCount(std::string_view Option, std::string_view Text);

// An animation's frame count (2 to 10,000) and frame rate (above 0, at most 1000).
int ParseFrameCount(std::string_view Option, std::string_view Text);
double ParseFrameRate(std::string_view Option, std::string_view Text);

// "-", a folder (ending in '/' or existing), an animation file or a file whose extension
// names a format we write.
std::string CheckedOutputTarget(std::string_view Option, std::string_view Path);
// A file whose extension names a format we write.
std::string CheckedOutputFile(std::string_view Option, std::string_view Path);
// The extension of a format we write, in lower case ("png").
std::string CheckedFormat(std::string_view Option, std::string_view Extension);

// The built-in pictures of Role: "sample:1 to sample:28".
std::string SampleRange(TPictureRole Role);

// A path that names a folder to write into: it ends in '/' or is an existing folder.
bool IsFolderPath(std::string_view Path);

}  // namespace cli
