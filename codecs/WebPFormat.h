// WebP files through libwebp: every kind is read into a 24-bit bitmap, alpha laid over
// black, an animation as its first frame on the canvas; bitmaps are written losslessly.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Bitmap.h"

// Raises EInvalidGraphic for anything that is not a readable WebP picture.
TBitmap ReadWebP(std::span<const std::uint8_t> Data);

// A lossless WebP file of any bitmap. Raises Exception for an empty bitmap and for one of
// more than 16383 pixels on a side, which WebP cannot hold.
std::vector<std::uint8_t> WriteWebP(const TBitmap& Bitmap);
