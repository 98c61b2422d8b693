// Depth videos through our FFmpeg front, read from memory: opening and reading every frame
// must give frames of the size the video claims, or EInvalidGraphic, and never crash.
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "DepthVideo.h"
#include "Exception.h"

namespace {

// Enough frames to reach the decoder's later paths without letting one input run for long.
constexpr int MaxFrames = 8;
// Each step's time, well within a run's timeout of a few seconds even for every frame.
constexpr std::chrono::milliseconds StepTime{250};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    try {
        const auto Video = TDepthVideo::OpenBytes({Data, Size}, StepTime);
        for (int Frame = 0; Frame < MaxFrames; ++Frame) {
            const std::optional<TBitmap> Depth = Video->NextFrame();
            if (!Depth) break;
            if (Depth->Width() != Video->Width() || Depth->Height() != Video->Height()) std::abort();
        }
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
