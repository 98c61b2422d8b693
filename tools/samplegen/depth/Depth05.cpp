// A child's tricycle seen from the side and a little from above and in front: a big
// spoked front wheel with pedals, two small rear wheels on an axle, the frame, the
// seat and the handlebar with grips. Wheels are tori.
#include <cmath>
#include <numbers>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

constexpr Vec3 kFrontHub{1.55f, -0.45f, 0};
constexpr float kFrontRadius = 0.95f;
constexpr Vec3 kRearAxle{-1.45f, -0.85f, 0};
constexpr float kRearRadius = 0.55f, kRearTrack = 0.85f;  // half distance between rear wheels

// A wheel in the x-y plane: tyre, hub and `spokes` evenly spaced spokes.
float Wheel(Vec3 p, float radius, float tyre, int spokes) {
    const float sector = 2.0f * std::numbers::pi_v<float> / float(spokes);
    const float angle = std::round(std::atan2(p.y, p.x) / sector) * sector;
    const Vec3 rim{std::cos(angle) * radius, std::sin(angle) * radius, 0};
    const float spoke = SdCapsule(p, {0, 0, 0}, rim, 0.025f);
    return Union(Union(SdTorus(p, radius, tyre), SdCylinderZ(p, 0.12f, 0.12f)), spoke);
}

float Tricycle(Vec3 p) {
    const float front = Wheel(p - kFrontHub, kFrontRadius, 0.1f, 8);
    const Vec3 rearSide{p.x, p.y, std::fabs(p.z) - kRearTrack};
    const float rear = Wheel(rearSide - Vec3{kRearAxle.x, kRearAxle.y, 0}, kRearRadius, 0.09f, 6);
    const float axle = SdCapsule(p, kRearAxle + Vec3{0, 0, -kRearTrack}, kRearAxle + Vec3{0, 0, kRearTrack}, 0.05f);

    const Vec3 head{1.35f, 0.75f, 0};
    const Vec3 forkSide{p.x, p.y, std::fabs(p.z) - 0.14f};  // a blade each side of the wheel
    const float fork = SdCapsule(forkSide, kFrontHub, head, 0.05f);
    const float mainTube = SdCapsule(p, head, kRearAxle, 0.08f);
    const float seatPost = SdCapsule(p, {-0.45f, -0.35f, 0}, {-0.55f, 0.45f, 0}, 0.06f);
    const float seat = SdEllipsoid(p - Vec3{-0.6f, 0.55f, 0}, {0.42f, 0.1f, 0.26f});

    const Vec3 barCentre{1.3f, 1.25f, 0};
    const float stem = SdCapsule(p, head, barCentre, 0.05f);
    const Vec3 barSide{p.x, p.y, std::fabs(p.z)};
    const float bar = SdCapsule(barSide, barCentre, barCentre + Vec3{0, 0, 0.55f}, 0.045f);
    const float grip = SdCapsule(barSide, barCentre + Vec3{0, 0, 0.55f}, barCentre + Vec3{-0.35f, -0.05f, 0.62f}, 0.07f);

    // Pedal cranks on both sides of the front hub, one up and forward, one down and back.
    const float side = p.z < 0 ? -1.0f : 1.0f;
    const Vec3 crankEnd = kFrontHub + Vec3{0.3f * side, -0.3f * side, 0.2f * side};
    const float crank = SdCapsule(p, kFrontHub + Vec3{0, 0, 0.2f * side}, crankEnd, 0.04f);
    const float pedal = SdRoundBox(p - crankEnd - Vec3{0, 0, 0.12f * side}, {0.13f, 0.04f, 0.12f}, 0.02f);

    const float frame = Union(Union(fork, mainTube), Union(seatPost, seat));
    const float steering = Union(stem, Union(bar, grip));
    return Union(Union(Union(front, rear), Union(axle, frame)), Union(steering, Union(crank, pedal)));
}

}  // namespace

GreyImage RenderDepth5() {
    constexpr float kTurn = 0.55f;   // radians: the front swung toward the viewer
    constexpr float kLookDown = 0.25f;
    const OrthoView view{0.0f, -0.2f, 0.0095f, 2.0f, -2.0f};
    return RenderNearness(640, 480, [&](Vec3 p) { return Tricycle(RotateY(RotateX(p, -kLookDown), kTurn)); }, view);
}

}  // namespace samplegen
