// A mushroom-like hat: a dome with a flat brim on a cylindrical stem, tipped toward the
// viewer so that the top of the brim shows.
#include "Raycast.h"
#include "Samples.h"

namespace samplegen {
namespace {

constexpr float kTipTowardViewer = 0.35f;

}  // namespace

GreyImage RenderDepth19() {
    const auto scene = [](Vec3 world) {
        const Vec3 p = RotateX(world, -kTipTowardViewer);
        const float stem = SdCylinderY(p - Vec3{0, -0.75f, 0}, 0.32f, 0.75f) - 0.03f;
        const float brim = SdCylinderY(p - Vec3{0, 0.04f, 0}, 1.45f, 0.04f) - 0.04f;
        const float dome = Intersect(SdEllipsoid(p, {0.85f, 0.95f, 0.85f}), -p.y);
        return SmoothUnion(SmoothUnion(dome, brim, 0.08f), stem, 0.1f);
    };
    OrthoView view;
    view.centreY = -0.25f;
    view.scale = 4.0f / 480.0f;
    view.zTop = 1.9f;
    view.zBottom = -1.9f;
    return RenderNearness(640, 480, scene, view);
}

}  // namespace samplegen
