// TIFF files: reading must give a bitmap or EInvalidGraphic, and every pixel of the
// result must read back through its palette.
#include <cstddef>
#include <cstdint>

#include "Exception.h"
#include "TiffFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    try {
        TBitmap B = ReadTiff({Data, Size});
        if (std::int64_t(B.Width()) * B.Height() <= (1 << 20)) B.SetPixelFormat(pf24bit);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
