// PNG files of every bit depth and colour type (16-bit samples rounded, transparency laid
// over black, interlaced passes staged): reading must give a bitmap or EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "Exception.h"
#include "PngFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    try {
        ReadPng({Data, Size});
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
