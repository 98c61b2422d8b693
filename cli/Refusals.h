// The generator's refusals in English. The engine raises them with a code beside the
// window's German text; the command line words each code, saying which settings cause it,
// with their values, and which options to change.
#pragma once

#include <optional>
#include <string>

#include "Exception.h"
#include "PictureSource.h"
#include "Stereogram.h"

namespace cli {

// Where the run's depth map and texture came from: the last --depth and --mask, nothing
// while the start's samples are in place.
struct TPictureOrigins {
    std::optional<TPictureSource> Depth;
    std::optional<TPictureSource> Mask;
};

struct TProblem {
    std::string Subject;  // the file concerned, or empty
    std::string Text;
};

// What to say when Generate refused with E; Stereogram holds the refused run's settings
// and geometry.
TProblem RefusalProblem(const Exception& E, const TStereogram& Stereogram, const TPictureOrigins& Origins);

}  // namespace cli
