// A wooden chair in three-quarter view from a little above: seat, four legs joined
// by stretchers, and a back of two posts, a top rail and three slats.
#include <algorithm>
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

constexpr float kSeatY = 0.0f, kFloorY = -1.55f, kBackTopY = 1.65f;
constexpr float kLegX = 0.68f, kLegZ = 0.62f, kLegRadius = 0.07f;

float Chair(Vec3 p) {
    const float seat = SdRoundBox(p - Vec3{0, kSeatY, 0}, {0.82f, 0.07f, 0.78f}, 0.04f);
    const Vec3 corner{std::fabs(p.x) - kLegX, p.y, std::fabs(p.z) - kLegZ};
    const float legs = SdCapsule(corner, {0, kSeatY, 0}, {0, kFloorY, 0}, kLegRadius);
    const Vec3 side{std::fabs(p.x) - kLegX, p.y, p.z};
    const float sideStretchers = SdCapsule(side, {0, -1.05f, -kLegZ}, {0, -1.05f, kLegZ}, 0.04f);
    const float frontStretcher = SdCapsule(p, {-kLegX, -0.85f, kLegZ}, {kLegX, -0.85f, kLegZ}, 0.04f);

    const Vec3 back = p - Vec3{0, 0, -kLegZ};
    const Vec3 backSide{std::fabs(back.x) - kLegX, back.y, back.z};
    const float posts = SdCapsule(backSide, {0, kSeatY, 0}, {0, kBackTopY, 0}, kLegRadius);
    const float topRail = SdRoundBox(back - Vec3{0, kBackTopY - 0.18f, 0}, {kLegX, 0.16f, 0.05f}, 0.03f);
    const float slatX = std::clamp(std::round(back.x / 0.34f), -1.0f, 1.0f) * 0.34f;
    const float slats = SdRoundBox(back - Vec3{slatX, 0.8f, 0}, {0.07f, 0.6f, 0.035f}, 0.02f);

    return Union(Union(Union(seat, legs), Union(sideStretchers, frontStretcher)), Union(Union(posts, topRail), slats));
}

}  // namespace

GreyImage RenderDepth9() {
    constexpr float kTurn = 0.6f, kLookDown = 0.3f;  // radians
    const OrthoView view{0.0f, 0.05f, 0.0095f, 2.2f, -2.2f};
    return RenderNearness(640, 480, [&](Vec3 p) { return Chair(RotateY(RotateX(p, -kLookDown), kTurn)); }, view);
}

}  // namespace samplegen
