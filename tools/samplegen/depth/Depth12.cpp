// The capital letter A as one flat white plateau on black.
#include <array>

#include "../Samples.h"
#include "Shapes2D.h"

namespace samplegen {

GreyImage RenderDepth12() {
    constexpr int kWidth = 640, kHeight = 480;
    constexpr float kPlateauLevel = 252.0f;
    // Outline of the letter (pixels), and its triangular counter.
    static constexpr std::array<Point2, 8> kOutline{{
        {170, 420}, {280, 60}, {360, 60}, {470, 420}, {398, 420}, {372, 330}, {268, 330}, {242, 420},
    }};
    static constexpr std::array<Point2, 3> kCounter{{{287, 268}, {353, 268}, {320, 150}}};
    return FillSupersampled(kWidth, kHeight, 4, [](float x, float y) {
        const Point2 p{x, y};
        return InsidePolygon(kOutline, p) && !InsidePolygon(kCounter, p) ? kPlateauLevel : 0.0f;
    });
}

}  // namespace samplegen
