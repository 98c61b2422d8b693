// Three open rings linked into a chain: each is a torus with a gap, the outer two open
// away from the middle one, whose own gap opens upward.
#include <numbers>

#include "Raycast.h"
#include "Samples.h"
#include "depth/Profiles.h"

namespace samplegen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kRingRadius = 1.0f;
constexpr float kTubeRadius = 0.2f;
constexpr float kSpacing = 1.35f;        // between ring centres, along x
constexpr float kTilt = 0.8f;            // of the outer rings' planes out of the picture plane
constexpr float kKeptHalfAngle = 2.5f;   // each ring keeps about 290 degrees of its circle

// One ring of the chain: centred at x = centreX, its plane turned about the x axis by
// planeTilt, its kept arc centred on the in-plane direction `keepToward` (radians from +y).
float OpenRing(Vec3 p, float centreX, float planeTilt, float keepToward) {
    const Vec3 local = RotateX(p - Vec3{centreX, 0, 0}, -planeTilt);
    return SdOpenTorus(RotateZ(local, -keepToward), kKeptHalfAngle, kRingRadius, kTubeRadius);
}

}  // namespace

GreyImage RenderDepth15() {
    const auto scene = [](Vec3 world) {
        const Vec3 p = RotateZ(world, -0.12f);
        const float left = OpenRing(p, -kSpacing, kTilt, -kPi / 2);
        const float middle = OpenRing(p, 0, kTilt + kPi / 2, kPi);
        const float right = OpenRing(p, kSpacing, kTilt, kPi / 2);
        return Union(left, Union(middle, right));
    };
    OrthoView view;
    view.scale = 6.0f / 640.0f;
    view.zTop = 1.3f;
    view.zBottom = -1.3f;
    return RenderNearness(640, 480, scene, view);
}

}  // namespace samplegen
