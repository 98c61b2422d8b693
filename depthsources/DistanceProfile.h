// Relief for a flat shape: each pixel's height follows its distance to the shape's outline,
// so that letters read as embossed rather than as a plateau.
#pragma once

#include <cstdint>

#include "GreyPlane.h"

enum class TReliefProfile : std::uint8_t {
    Round,  // a circular arc: steep at the outline, level at the cap distance
    Flat,   // the whole shape at full height
};

// Turns Coverage (0 outside, 255 inside, between on an anti-aliased outline) into heights:
// 255 at the cap distance from the outline and beyond, falling towards the outline with
// Profile. Outline pixels keep their anti-aliasing. CapPixels is at least 1.
void ApplyDistanceProfile(TGreyPlane& Coverage, TReliefProfile Profile, double CapPixels);
