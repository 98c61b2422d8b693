// The Mandelbrot set with escape-time bands as flat terraces: the farther a point
// lies from the set the lower its step, the set itself is the top plateau.
#include <algorithm>
#include <complex>

#include "../Samples.h"
#include "Shapes2D.h"

namespace samplegen {

GreyImage RenderDepth14() {
    constexpr int kWidth = 620, kHeight = 568;
    constexpr int kMaxIterations = 120;
    constexpr int kFirstBand = 4;  // points escaping sooner stay background
    constexpr int kBands = 9;      // terraces between the background and the set
    constexpr float kSetLevel = 252.0f, kLowLevel = 50.0f, kHighLevel = 215.0f;
    constexpr float kCentreX = -0.66f, kCentreY = 0.0f, kScale = 3.1f / kWidth;  // plane units per pixel
    return FillSupersampled(kWidth, kHeight, 3, [&](float x, float y) {
        const std::complex<float> c{kCentreX + (x - kWidth / 2.0f) * kScale, kCentreY - (y - kHeight / 2.0f) * kScale};
        std::complex<float> z{};
        int n = 0;
        while (n < kMaxIterations && std::norm(z) <= 4.0f) {
            z = z * z + c;
            ++n;
        }
        if (n == kMaxIterations) return kSetLevel;
        if (n < kFirstBand) return 0.0f;
        // One iteration per band: the bands near the set are thin already.
        const float band = float(std::min(n - kFirstBand, kBands - 1));
        return TerraceLevel(band / float(kBands - 1), kBands, kLowLevel, kHighLevel);
    });
}

}  // namespace samplegen
