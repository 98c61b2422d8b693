// A small 5 × 7 pixel font, with one more row for descenders, for the contact sheet's labels.
#pragma once

#include <string_view>

#include "Image.h"

namespace samplegen {

constexpr int kGlyphWidth = 5, kGlyphHeight = 8, kGlyphAdvance = 6;

// Draws `text` with its top-left corner at (x, y), each font pixel `scale` × `scale`
// picture pixels; pixels outside the picture are skipped. Throws on a character the font
// lacks, so a label can never silently lose letters.
void DrawText(RgbImage& image, int x, int y, std::string_view text, Rgb colour, int scale = 1);

}  // namespace samplegen
