// Windows bitmap files. The reader keeps the file's pixel format: 1, 4 and 8 bits with
// their palette (also from RLE4 and RLE8 data), 16 bits as 5-5-5 or 5-6-5, 24 and 32 bits;
// other bit-field layouts arrive as 24 bits. Core and info headers, bottom-up and top-down.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Bitmap.h"

// Raises EInvalidGraphic, with its reason, for anything that is not a readable bitmap,
// except empty data, which is a bitmap without pixels. RLE runs past a row or the picture
// are cut off, RLE data that ends between two codes leaves the remaining pixels black, and
// palette indices past the palette read black. An RLE picture larger than 4096 × 4096
// pixels must have data enough to fill it with runs (255 pixels per two bytes), so that a
// few bytes cannot make us allocate the largest picture.
TBitmap ReadBmp(std::span<const std::uint8_t> Data);

// A 24-bit bottom-up bitmap file of any bitmap.
std::vector<std::uint8_t> WriteBmp(const TBitmap& Bitmap);
