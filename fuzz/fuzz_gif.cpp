// GIF files: reading must give a bitmap or EInvalidGraphic.
#include <cstddef>
#include <cstdint>

#include "Exception.h"
#include "GifFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    try {
        ReadGif({Data, Size});
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
