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

// Relative levels: the separation Far black, Near white, evenly spaced in depth between
// (for a far plane as deep as the viewer is distant), clamped.
TBitmap RelativeLevels(const TDisparityMap& Map, double Far, double Near);
