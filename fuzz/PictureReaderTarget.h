// What every picture-reader fuzz target checks: reading gives a bitmap or EInvalidGraphic,
// and every pixel of a bitmap of modest size reads back through its palette.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "Bitmap.h"
#include "Exception.h"

template <TBitmap (*Read)(std::span<const std::uint8_t>)>
int FuzzPictureReader(const std::uint8_t* Data, std::size_t Size) {
    try {
        TBitmap B = Read({Data, Size});
        if (std::int64_t(B.Width()) * B.Height() <= (1 << 20)) B.SetPixelFormat(pf24bit);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
