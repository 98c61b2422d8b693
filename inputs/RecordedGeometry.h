// The geometry a stereogram of ours was drawn with, read back from the options recorded in
// its PNG text, so that its revealed separations map back to the run's depth levels.
#pragma once

#include <optional>
#include <string>

#include "PngFormat.h"
#include "Reveal.h"

struct TRecordedGeometry {
    std::optional<TRevealGeometry> Geometry;  // none when the picture records no usable options
    std::string Problem;                      // English: why recorded options could not be used, or empty
};

// From the "Options" chunk: a generator as the program starts, then each setting option in
// order through the settings table's setters, with a black depth map of the picture's size
// in place of the one named (it sets the size, and coloured dots follow it) and no texture,
// so that no file the record names is read. Options outside the table do not change the
// geometry and are passed over with their values.
TRecordedGeometry RecordedGeometry(const TPngTextChunks& Text, int Width, int Height);
