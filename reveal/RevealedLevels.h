// Separations turned into depth levels 0 (far) … 255 (near).
#pragma once

#include <array>
#include <cstdint>

#include "DisparityMap.h"
#include "Reveal.h"

// Levels through the geometry of the run: each separation the level the run drew it for
// (the middle one where several levels share a separation), between neighbouring entries
// in proportion.
TBitmap LevelsOfGeometry(const TDisparityMap& Map, const TRevealGeometry& Geometry);

// Relative levels: Far black, Near white, linear between and clamped.
TBitmap RelativeLevels(const TDisparityMap& Map, double Far, double Near);
