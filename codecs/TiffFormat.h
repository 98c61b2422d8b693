// TIFF files through libtiff, first page only. Grey pictures (1 to 16 bits, and 32-bit
// floating point normalised to the picture's own range) and palette pictures arrive as
// 8-bit bitmaps with their palette, RGB pictures (8 and 16 bits) as 24 bits. Alpha is laid
// over black; samples become 8 bits by rounding.
#pragma once

#include <cstdint>
#include <span>

#include "Bitmap.h"

// Raises EInvalidGraphic for anything that is not a readable TIFF picture: damaged data
// with libtiff's own message, unsupported kinds (CMYK, signed samples, …) with the reason.
TBitmap ReadTiff(std::span<const std::uint8_t> Data);
