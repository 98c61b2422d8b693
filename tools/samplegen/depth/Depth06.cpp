// Concentric rings seen from above, stepping up toward the centre like a stepped
// cone: every ring is one flat terrace at its own grey level.
#include <cmath>

#include "../Samples.h"
#include "Shapes2D.h"

namespace samplegen {

GreyImage RenderDepth6() {
    constexpr int kWidth = 640, kHeight = 480;
    constexpr int kRings = 7;
    constexpr float kOuterRadius = 205.0f;  // pixels; leaves a black margin
    constexpr float kLowLevel = 56.0f, kHighLevel = 250.0f;
    return FillSupersampled(kWidth, kHeight, 3, [](float x, float y) {
        const float r = std::hypot(x - kWidth / 2.0f, y - kHeight / 2.0f);
        if (r >= kOuterRadius) return 0.0f;
        return TerraceLevel(1.0f - r / kOuterRadius, kRings, kLowLevel, kHighLevel);
    });
}

}  // namespace samplegen
