// A ring standing upright on a cylindrical pedestal, turned a little so that both show
// their depth.
#include "Raycast.h"
#include "Samples.h"

namespace samplegen {
namespace {

constexpr float kTurn = 0.45f;  // about the vertical axis
constexpr float kTip = 0.3f;    // top toward the viewer
constexpr float kRingRadius = 1.0f;
constexpr float kTubeRadius = 0.2f;
constexpr float kPedestalTop = -0.7f;

}  // namespace

GreyImage RenderDepth20() {
    const auto scene = [](Vec3 world) {
        const Vec3 p = RotateY(RotateX(world, -kTip), -kTurn);
        const float pedestal = SdCylinderY(p - Vec3{0, kPedestalTop - 0.45f, 0}, 0.8f, 0.45f) - 0.03f;
        const float ring = SdTorus(p - Vec3{0, kPedestalTop + kRingRadius + kTubeRadius - 0.05f, 0}, kRingRadius, kTubeRadius);
        return SmoothUnion(pedestal, ring, 0.06f);
    };
    OrthoView view;
    view.centreY = 0.05f;
    view.scale = 4.2f / 480.0f;
    view.zTop = 1.6f;
    view.zBottom = -1.6f;
    return RenderNearness(640, 480, scene, view);
}

}  // namespace samplegen
