// Hidden text as a depth map: words white on black, with a relief towards the letters'
// edges so that they read as embossed.
#pragma once

#include <string>
#include <vector>

#include "Bitmap.h"
#include "DistanceProfile.h"

struct TTextDepthOptions {
    std::string Font = "DejaVu Sans Bold";  // a fontconfig name or a font file; empty is the default
    TReliefProfile Profile = TReliefProfile::Round;
};

// Renders Utf8Text (one line, or several separated by '\n') as a Width × Height 24-bit grey
// depth map: each line centred, at the largest size that keeps a margin, the letters at
// full height where they are at least a stroke's half-width from their outline and falling
// towards it with Options.Profile. Damaged UTF-8 shows U+FFFD in its place. Characters no
// installed font has are left out with an English warning added to Warnings (when given).
// Raises Exception for an empty text ("Text ist leer"), a text too long to show, a text
// without any character to draw, and a font that cannot be found or opened.
TBitmap RenderTextDepth(const std::string& Utf8Text, int Width, int Height, const TTextDepthOptions& Options = {},
                        std::vector<std::string>* Warnings = nullptr);
