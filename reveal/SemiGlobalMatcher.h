// Separations of every pixel of a stereogram by semi-global matching: the cost of each
// pixel pair one separation apart, summed over a small window, then smoothed along paths
// from the four sides, so that neighbours in rows and columns agree unless the picture
// says otherwise; the best separation refined to a fraction of a pixel and checked from
// both ends of its pair.
#pragma once

#include "DisparityMap.h"
#include "RevealPicture.h"

// Separations Smallest … Largest (pixels, Smallest ≥ 1) of Picture; Threads share the work.
TDisparityMap MatchDisparities(const TRevealPicture& Picture, int Smallest, int Largest, int Threads);
