// A frame as at most 256 colours and one index per pixel, for GIF: exact when the
// frame has no more colours than that (black-and-white dots always), else quantised by
// libimagequant to a palette of its own, found from a histogram of the frame's colours, and
// each colour given its nearest in the palette, without dithering, which would add noise to
// the dots.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

struct TIndexedFrame {
    std::vector<TColor32> Palette;     // 1 … 256 colours, red in the low byte
    std::vector<std::uint8_t> Pixels;  // Width × Height indices, row by row from the top
};

// Frame of any pixel format. Raises Exception when the quantiser fails. The quantiser's work stays
// on the calling thread: its OpenMP thread count there is set to 1.
TIndexedFrame IndexFrame(const TBitmap& Frame);
