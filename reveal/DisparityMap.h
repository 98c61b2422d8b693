// Separations found for each pixel of a stereogram: the pixel is the middle of a pair
// Disparity apart that show the same point. Unmatched pixels are those whose pair did not
// hold up from both of its ends.
#pragma once

#include <cstdint>
#include <vector>

struct TDisparityMap {
    int Width = 0, Height = 0;
    std::vector<float> Disparity;     // pixels, to a fraction
    std::vector<std::uint8_t> Matched;  // 1 where the pair held up

    float At(int X, int Y) const { return Disparity[std::size_t(Y) * std::size_t(Width) + std::size_t(X)]; }
};

// Every unmatched pixel takes the farther of the nearest matched pixels left and right of
// it in its row (the background a nearer surface hides); a row without any from the row
// above or below. FarIsLarge: larger separations lie farther.
void FillUnmatched(TDisparityMap& Map, bool FarIsLarge);

// The map scaled up Factor times (bilinear), each disparity multiplied by Factor, cut to
// Width × Height.
TDisparityMap Enlarged(const TDisparityMap& Map, int Factor, int Width, int Height);
