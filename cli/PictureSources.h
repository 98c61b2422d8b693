// Depth maps and textures for the command line: a built-in sample, a file read as the
// window reads it, or nothing.
#pragma once

#include "Options.h"
#include "Picture.h"

namespace cli {

enum class PictureRole : std::uint8_t { DepthMap, Texture };

// Raises Exception naming the file when a file cannot be opened or is not a readable picture.
TPicture LoadPictureSource(const PictureSource& Source, PictureRole Role);

}  // namespace cli
