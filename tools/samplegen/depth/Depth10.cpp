// A coil spring: a round wire wound in a helix around a horizontal axis, turned so
// that the near and far halves of every turn can be told apart.
#include <cmath>
#include <numbers>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

constexpr float kCoilRadius = 0.9f, kWireRadius = 0.14f;
constexpr float kPitch = 0.62f;      // advance along the axis per turn
constexpr float kHalfLength = 2.3f;  // the coil is cut off at both ends here

// Distance to the helix around the x axis. The offset along the axis is measured to
// the nearest turn and corrected for the wire's slope; the result is slightly
// underestimated, which only makes the tracer more careful.
float Coil(Vec3 p) {
    constexpr float kTwoPi = 2.0f * std::numbers::pi_v<float>;
    const float slope = std::cos(std::atan(kPitch / (kTwoPi * kCoilRadius)));
    const float angle = std::atan2(p.z, p.y);
    float along = p.x - kPitch * angle / kTwoPi;
    along -= kPitch * std::round(along / kPitch);
    const float radial = std::hypot(p.y, p.z) - kCoilRadius;
    const float wire = 0.8f * (std::hypot(radial, along * slope) - kWireRadius);
    return Intersect(wire, std::fabs(p.x) - kHalfLength);
}

}  // namespace

GreyImage RenderDepth10() {
    constexpr float kTurn = 0.55f, kRoll = 0.35f;  // radians
    const OrthoView view{0.0f, 0.0f, 0.0095f, 2.4f, -2.4f};
    return RenderNearness(640, 480, [&](Vec3 p) { return Coil(RotateY(RotateZ(p, kRoll), kTurn)); }, view);
}

}  // namespace samplegen
