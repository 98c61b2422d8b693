// The options that made a picture, written into its PNG text so that it can be made again.
#pragma once

#include <cstdint>
#include <string>

#include "Options.h"

namespace cli {

// The setting options in their order, then --seed with the seed the run used; values that a
// shell would split or expand are quoted.
std::string RecordedOptions(const Options& Parsed, std::uint32_t Seed);

}  // namespace cli
