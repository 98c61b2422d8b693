// Text set in an outline font: fonts found through fontconfig, glyphs drawn with FreeType.
#pragma once

#include <string>
#include <vector>

#include "GreyPlane.h"

struct TTextCoverage {
    TGreyPlane Coverage;  // 0 outside the glyphs, 255 inside, anti-aliased outlines
    double PixelsPerEm;   // the size the text was set at
};

// Sets Text (code points; '\n' starts a new line, a tab is a space, other control
// characters are left out) in Font, each line centred, the whole centred in a Width ×
// Height plane at the largest size whose ink keeps Margin pixels from every edge.
// Font is a fontconfig name ("DejaVu Sans Bold", "DejaVu Serif:bold"; bold unless the name
// gives a weight) or a font file. A character the font lacks comes from another installed
// font that has it, or is left out with an English warning added to Warnings (when given).
// Raises Exception for a font that cannot be found or opened, and for a text without a
// single glyph to draw.
TTextCoverage SetText(const std::u32string& Text, int Width, int Height, int Margin, const std::string& Font,
                      std::vector<std::string>* Warnings);

// The families of the installed outline fonts, sorted, each once: choices for a font list.
std::vector<std::string> AvailableFontFamilies();
