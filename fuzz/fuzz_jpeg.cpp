// JPEG data: loading and drawing, as the file loader does, must work or raise
// EInvalidGraphic; the decoder's warnings (data cut short, corrupt segments) are collected,
// not raised. Every kind of data is decoded in full, CMYK and YCCK through their step to
// RGB. The input's length picks one of the option sets, so that palette output, greyscale
// and the fast transform are fuzzed too; large pictures are decoded at an eighth of their
// size to keep each run short.
#include <cstddef>
#include <cstdint>

#include "Exception.h"
#include "JPEGImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    try {
        TJPEGImage Jpeg;
        Jpeg.LoadFromBytes({Data, Size});
        Jpeg.SetPixelFormat(Size % 2 ? jf8Bit : jf24Bit);
        Jpeg.SetGrayscale(Size % 3 == 0);
        Jpeg.SetPerformance(Size % 5 == 0 ? jpBestSpeed : jpBestQuality);
        if (std::int64_t(Jpeg.Width()) * Jpeg.Height() > (1 << 20)) Jpeg.SetScale(jsEighth);
        TBitmap Target(0, 0, pf24bit);
        Target.SetSize(Jpeg.Width(), Jpeg.Height());
        Jpeg.Draw(Target, 0, 0);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
