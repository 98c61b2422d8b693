// A 24-bit view of any bitmap, for the writers that store 24-bit pixels.
#pragma once

#include "Bitmap.h"

// Source itself when it is 24-bit, else a converted copy kept in Scratch.
inline const TBitmap& As24Bit(const TBitmap& Source, TBitmap& Scratch) {
    if (Source.PixelFormat() == pf24bit) return Source;
    Scratch = Source;
    Scratch.SetPixelFormat(pf24bit);
    return Scratch;
}
