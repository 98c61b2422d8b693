// The window's record of a picture it made: the options of stereogramm-cli that make the
// same picture again, as the command line records its own.
#pragma once

#include <cstdint>
#include <string>

#include "PictureSource.h"
#include "Stereogram.h"

// Every setting the window can change, then --seed. The command line starts from the
// window's start settings and applies its options one after another, each through the
// generator's setters, so the order is chosen for the values to end up as they are here:
// the pictures first (a depth map enlarges Width and Height), the kind before the
// oversampling it limits, Width and Height after the pictures, DPI after Width and Height
// (they limit it). Values a shell would split or expand are quoted.
std::string WindowRecordOptions(const TStereogram& Stereogram, const TPictureSource& DepthMap,
                                const TPictureSource& MaskMap, std::uint32_t Seed);
