// A lightning bolt in low relief: a zigzag slab with rounded edges, rendered with a short
// range of grey levels and blurred heavily so that it rises softly out of the background.
#include <array>

#include "Raycast.h"
#include "Samples.h"
#include "depth/Profiles.h"

namespace samplegen {
namespace {

constexpr std::array<Point2, 7> kBolt{{
    {0.22f, 1.0f}, {-0.38f, -0.06f}, {0.02f, -0.06f}, {-0.28f, -1.0f},
    {0.42f, 0.16f}, {0.04f, 0.16f}, {0.5f, 1.0f},
}};
constexpr float kBlurSigma = 9.0f;

}  // namespace

GreyImage RenderDepth17() {
    const auto scene = [](Vec3 p) { return Extrude(SdPolygon({p.x, p.y}, kBolt), p.z, 0.12f, 0.1f); };
    OrthoView view;
    view.centreX = 0.06f;
    view.scale = 2.45f / 427.0f;
    view.zTop = 0.2f;
    view.zBottom = -0.2f;
    return Blur(RenderNearness(357, 427, scene, view, {70.0f, 165.0f}), kBlurSigma);
}

}  // namespace samplegen
