// Moving stereograms from the command line: a turning model, a sequence of depth maps
// (--animate) or a depth video, rendered frame by frame as the still picture would be and
// written as one animation.
#pragma once

#include "Console.h"
#include "Options.h"

namespace cli {

// Whether the command line asks for an animation: --frames, --animate, or a depth video as
// --depth (told by its content). Raises UsageError for an output that only an animation is
// written to when none is asked for, and for animation options that do not go together.
bool AnimationAsked(const Options& Parsed);

// Renders and writes the animation; returns the exit status.
int RunAnimation(const Options& Parsed, TConsole& Console);

}  // namespace cli
