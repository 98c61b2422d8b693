// Sample arithmetic shared by the picture readers: deeper samples become 8 bits by
// rounding, transparency is laid over black (the far background of a depth map), and grey
// pictures arrive as 8-bit bitmaps with a grey ramp palette, as greyscale JPEG data does.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

// A sample from 0 … MaxValue (1 … 65535) as 0 … 255, rounded to the nearest.
constexpr std::uint8_t EightBitSample(std::uint32_t Value, std::uint32_t MaxValue) {
    return std::uint8_t((Value * 255u + MaxValue / 2) / MaxValue);
}

// A colour sample seen through Alpha over black, in 8-bit arithmetic rounded to the nearest.
constexpr std::uint8_t OverBlack(std::uint8_t Colour, std::uint8_t Alpha) {
    return std::uint8_t((unsigned(Colour) * Alpha + 127u) / 255u);
}

// An 8-bit bitmap whose palette entry I is the grey level I.
inline TBitmap GreyBitmap(int Width, int Height) {
    TBitmap Result(Width, Height, pf8bit);
    std::vector<TColor32> Greys;
    for (int V = 0; V < 256; ++V) Greys.push_back(PackColor(std::uint8_t(V), std::uint8_t(V), std::uint8_t(V)));
    Result.SetPalette(std::move(Greys));
    return Result;
}
