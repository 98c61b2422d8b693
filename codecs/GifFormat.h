// GIF files through giflib: the first frame, placed on the logical screen, arrives as a
// 24-bit bitmap. The screen around the frame and transparent pixels are black, the far
// background of a depth map (as a viewer shows them over a black page).
#pragma once

#include <cstdint>
#include <span>

#include "Bitmap.h"

// Raises EInvalidGraphic for anything that is not a readable GIF. Only the first frame is
// decoded, and the part of it that lies off the screen is passed over; the picture is
// allocated only once the frame's data has been read, so a short file claiming a large
// frame fails before it takes memory.
TBitmap ReadGif(std::span<const std::uint8_t> Data);
