// What the built-in pictures are: number, size, channel count and subject of the
// 28 depth maps (resources BEI1 … BEI28) and 14 textures (BILD1 … BILD14).
#pragma once

#include <span>

namespace resources {

struct SampleInfo {
    int Number;
    int Width;
    int Height;
    int Channels;  // 3: colour JPEG, 1: greyscale JPEG
    const char* Subject;
};

std::span<const SampleInfo> DepthMapSamples();
std::span<const SampleInfo> TextureSamples();

}  // namespace resources
