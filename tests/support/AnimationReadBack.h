// Animated GIF and WebP files read back with giflib and libwebp's demuxer: every frame as
// it shows, when each starts, and the record of how the file was made; and the record of
// a video, read with libavformat.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Bitmap.h"

struct TReadBack {
    std::vector<TBitmap> Frames;
    std::vector<int> StartsMs;
    std::map<std::string, std::string> Record;  // "Options" and so on, from a GIF's comments or a WebP's XMP
};

TReadBack ReadWebP(const std::string& File);
TReadBack ReadGif(const std::string& File);
// A video's metadata, the keys as written (Matroska's capitals undone: "Options").
std::map<std::string, std::string> ReadVideoRecord(const std::string& File);
