// What the frames of an animation are drawn from, told from the command line and the
// content of the depth file: one still depth map, a 3D model that turns, a depth video, or
// the FILE arguments in order.
#pragma once

#include <string>

#include "Options.h"

namespace cli {

enum class TDepthKind : std::uint8_t { Still, Model, Video, Sequence };

struct TDepthInput {
    TDepthKind Kind = TDepthKind::Still;
    int Action = -1;   // the --depth setting that names it, or -1 for FILE arguments
    std::string File;  // the model, video or still FILE, when a file names it
};

TDepthInput DepthInput(const Options& Parsed);

// Raises UsageError for an animation's options that do not go together.
void CheckAnimationOptions(const Options& Parsed, const TDepthInput& Input);

}  // namespace cli
