// The picture the reveal works on: 24-bit pixels, blue, green, red, rows without padding.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

struct TRevealPicture {
    int Width = 0, Height = 0;
    std::vector<std::uint8_t> Pixels;  // Width × Height × 3

    const std::uint8_t* Row(int Y) const { return Pixels.data() + std::size_t(Y) * std::size_t(Width) * 3; }
};

// Any bitmap, converted to 24 bits.
TRevealPicture RevealPictureOf(const TBitmap& Bitmap);
// Every Factor × Factor block averaged into one pixel (a partial block at the edges too).
TRevealPicture Downscaled(const TRevealPicture& Picture, int Factor);
