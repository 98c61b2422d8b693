// The options that made a picture, written into its PNG text so that it can be made again.
#pragma once

#include <cstdint>
#include <string>

#include "Options.h"

namespace cli {

// "--depth DepthFile" when a FILE argument was rendered, the setting options in their
// order, --invert-depth and --fit when given, then --seed with the seed the run used;
// values that a shell would split or expand are quoted.
std::string RecordedOptions(const Options& Parsed, std::uint32_t Seed, const std::string& DepthFile = {});

// The options that made an animation: those above with the animation's options before the
// seed (--frames as asked, --spin, --fps as used, --same-dots, --animate with its FILE
// arguments in order).
std::string RecordedAnimation(const Options& Parsed, std::uint32_t Seed, const std::string& DepthFile = {});

}  // namespace cli
