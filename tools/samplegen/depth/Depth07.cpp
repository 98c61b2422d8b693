// A small room without walls: a four-legged table, an upholstered armchair beside
// it, and a dome lamp hanging on its cord above the table; seen a little from above.
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

constexpr float kFloorY = -1.6f;

float Table(Vec3 p) {
    const Vec3 q = p - Vec3{-1.0f, 0, 0};
    const float top = SdRoundBox(q - Vec3{0, -0.25f, 0}, {1.15f, 0.07f, 0.75f}, 0.03f);
    const Vec3 corner{std::fabs(q.x) - 0.98f, q.y, std::fabs(q.z) - 0.58f};
    const float legs = SdCapsule(corner, {0, -0.3f, 0}, {0, kFloorY, 0}, 0.07f);
    return Union(top, legs);
}

float Armchair(Vec3 p) {
    const Vec3 q = RotateY(p - Vec3{1.75f, 0, -0.45f}, -0.5f);  // turned toward the table
    const float base = SdRoundBox(q - Vec3{0, -1.2f, 0}, {0.75f, 0.4f, 0.7f}, 0.12f);
    const float cushion = SdRoundBox(q - Vec3{0, -0.72f, 0.08f}, {0.52f, 0.12f, 0.58f}, 0.1f);
    const float back = SdRoundBox(q - Vec3{0, -0.15f, -0.55f}, {0.75f, 0.75f, 0.17f}, 0.15f);
    const Vec3 side{std::fabs(q.x) - 0.64f, q.y, q.z};
    const float arms = SdRoundBox(side - Vec3{0, -0.55f, 0.05f}, {0.14f, 0.28f, 0.68f}, 0.12f);
    return Union(Union(base, cushion), Union(back, arms));
}

float Lamp(Vec3 p) {
    const Vec3 centre{-1.0f, 0.9f, 0};
    const Vec3 q = p - centre;
    const float shell = Subtract(SdSphere(q, 0.62f), SdSphere(q, 0.56f));
    const float shade = Intersect(shell, -q.y);  // upper half: a dome open below
    const float bulb = SdSphere(q - Vec3{0, -0.05f, 0}, 0.18f);
    const float cord = SdCapsule(q, {0, 0.6f, 0}, {0, 1.15f, 0}, 0.03f);
    const float rose = SdCylinderY(q - Vec3{0, 1.17f, 0}, 0.2f, 0.04f);
    return Union(Union(shade, bulb), Union(cord, rose));
}

float Room(Vec3 p) { return Union(Union(Table(p), Armchair(p)), Lamp(p)); }

}  // namespace

GreyImage RenderDepth7() {
    constexpr float kTurn = 0.3f, kLookDown = 0.3f;  // radians
    const OrthoView view{0.15f, 0.2f, 0.0105f, 2.5f, -2.5f};
    return RenderNearness(640, 480, [&](Vec3 p) { return Room(RotateY(RotateX(p, -kLookDown), kTurn)); }, view);
}

}  // namespace samplegen
