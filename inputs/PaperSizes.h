// The paper sizes we know, the output size they give at a resolution, and the output
// sized to a paper or turned on its side.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "Stereogram.h"

struct TPaper {
    std::string_view Name;  // "A4"
    double WidthMm = 0, HeightMm = 0;  // portrait
};

// The paper called Name (A4 and a4 alike), if any.
std::optional<TPaper> PaperOfName(std::string_view Name);
// "A5, A4, A3, A2, letter, legal".
std::string PaperNames();
// Pixels across Millimetres at Dpi, rounded to the nearest (A4 at 300 dpi: 2480 x 3508).
int PaperPixels(double Millimetres, int Dpi);

// The output sized to Paper, upright, at the current DPI, with the large size limit a
// print needs.
void SetPaper(TStereogram& Stereogram, const TPaper& Paper);
// The output turned to lie on its long side: width and height swap when it stands upright.
void SetLandscape(TStereogram& Stereogram);
