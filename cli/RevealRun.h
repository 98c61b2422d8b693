// The command line's reveal: --reveal FILE writes the depth map hidden in a stereogram;
// --view writes a view of a depth map (a revealed one, or the one the options name) that
// needs no trick of the eyes.
#pragma once

#include "Options.h"

namespace cli {

// Whether the command is one of these rather than a render.
bool IsRevealCommand(const Options& Parsed);
// Runs it; the exit status as Run's.
int RunReveal(const Options& Parsed);

}  // namespace cli
