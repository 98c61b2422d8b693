// The geometry a stereogram of ours was drawn with, read back from the options recorded in
// its PNG text.
#pragma once

#include <optional>
#include <string>

#include "PngFormat.h"
#include "Reveal.h"

namespace cli {

struct TRecordedGeometry {
    std::optional<TRevealGeometry> Geometry;  // none when the picture records no options
    std::string Problem;                      // why recorded options could not be used, or empty
};

// From the "Options" chunk, read by the command line's own parser and set up as a run
// would be, with a black depth map of the picture's size in place of the pictures named.
TRecordedGeometry RecordedGeometry(const TPngTextChunks& Text, int Width, int Height);

}  // namespace cli
