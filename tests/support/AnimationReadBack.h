// Animated GIF and WebP files read back with giflib and libwebp's demuxer: every frame as
// it shows, and when each starts.
#pragma once

#include <string>
#include <vector>

#include "Bitmap.h"

struct TReadBack {
    std::vector<TBitmap> Frames;
    std::vector<int> StartsMs;
};

TReadBack ReadWebP(const std::string& File);
TReadBack ReadGif(const std::string& File);
