// How the depth map a person has becomes the one a run uses: inverted as it is read, and
// fitted to the output size just before the run. Both front ends go through these, so
// that a picture of the window replays on the command line.
#pragma once

#include <optional>

#include "Picture.h"
#include "Stereogram.h"

struct TDepthReading {
    bool Invert = false;  // white is far
    bool Fit = false;     // scaled to the output size, aspect kept, centred on black

    bool operator==(const TDepthReading&) const = default;
};

// Read as the generator gets it: inverted when Invert says, else Read itself.
TPicture ReadDepth(const TPicture& Read, bool Invert);

// Stereogram's depth map fitted to its width and height; nothing for an empty map.
std::optional<TPicture> FittedDepth(const TStereogram& Stereogram);

// Gives Stereogram Map in place of its depth map with the width and height it has, which
// a larger map would otherwise enlarge (the coloured-dot kind follows the map as always).
void ReplaceDepthMap(TStereogram& Stereogram, const TPicture& Map);
