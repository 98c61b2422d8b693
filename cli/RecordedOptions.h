// The options that made a picture, written into its PNG text so that it can be made again.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Options.h"

namespace cli {

// The setting options in their order, then --seed with the seed the run used; values that a
// shell would split or expand are quoted.
std::string RecordedOptions(const Options& Parsed, std::uint32_t Seed);

// Text as one shell word: unchanged when it is safe, else in single quotes.
std::string ShellWord(std::string_view Text);

}  // namespace cli
