// Three rings linked into a short chain. Neighbouring rings are tilted in opposite
// directions about the chain's axis, so each passes through the next one's hole.

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

constexpr float kRingRadius = 1.0f, kTubeRadius = 0.2f;
constexpr float kSpacing = 1.15f;  // between ring centres, less than 2 radii so they link
constexpr float kTilt = 0.6f;      // radians each ring leans out of the picture plane

float Chain(Vec3 p) {
    float d = 1e9f;
    for (int i = -1; i <= 1; ++i) {
        const float tilt = i == 0 ? -kTilt : kTilt;
        d = Union(d, SdTorus(RotateX(p - Vec3{float(i) * kSpacing, 0, 0}, tilt), kRingRadius, kTubeRadius));
    }
    return d;
}

}  // namespace

GreyImage RenderDepth8() {
    constexpr float kTurn = 0.35f, kRoll = 0.3f;  // radians
    const OrthoView view{0.0f, 0.0f, 0.0085f, 1.6f, -1.6f};
    return RenderNearness(640, 480, [&](Vec3 p) { return Chain(RotateY(RotateZ(p, kRoll), kTurn)); }, view);
}

}  // namespace samplegen
