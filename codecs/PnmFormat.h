// Portable any-maps (Netpbm): every kind is read (P1–P6, plain and binary, samples up to
// 65535), binary pixmaps (P6) are written.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "Bitmap.h"

// The first picture of the file. Bitmaps (P1, P4) arrive as 1 bit per pixel with the
// palette white, black; grey maps (P2, P5) as 8-bit grey; pixmaps (P3, P6) as 24 bits.
// Samples become 8 bits by rounding; a sample above the file's maximum counts as the
// maximum. The declared size is checked against the data present before anything is
// allocated. Raises EInvalidGraphic for anything else.
TBitmap ReadPnm(std::span<const std::uint8_t> Data);

std::vector<std::uint8_t> WritePpm(const TBitmap& Bitmap);
