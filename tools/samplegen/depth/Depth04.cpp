// An electric guitar lying diagonally: a solid body with two horns and a cutaway
// between them, pickups and bridge, a long neck, and a head with three tuning pegs on
// each side. The head end is tipped slightly away from the viewer.
#include <algorithm>
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

float Circle(float x, float y, float cx, float cy, float r) { return std::hypot(x - cx, y - cy) - r; }

// Outline of the body in the guitar's plane (neck toward +y).
float BodyOutline(float x, float y) {
    const float bouts = SmoothUnion(Circle(x, y, 0, -0.9f, 1.05f), Circle(x, y, 0, 0.15f, 0.82f), 0.5f);
    const float bassHorn = Circle(x * 1.6f, y, -0.85f, 0.85f, 0.45f) / 1.6f;
    const float trebleHorn = Circle(x * 1.6f, y, 0.9f, 0.7f, 0.38f) / 1.6f;
    const float withHorns = SmoothUnion(bouts, Union(bassHorn, trebleHorn), 0.25f);
    return Subtract(withHorns, Circle(x, y, 0.05f, 1.2f, 0.42f));
}

// The outline pulled out to a slab of half thickness h with rounded edges r.
float Extrude(float outline, float z, float h, float r) {
    const float ox = outline + r, oz = std::fabs(z) - h + r;
    return std::min(std::max(ox, oz), 0.0f) + std::hypot(std::max(ox, 0.0f), std::max(oz, 0.0f)) - r;
}

float Guitar(Vec3 p) {
    const float body = Extrude(BodyOutline(p.x, p.y), p.z, 0.2f, 0.09f);
    const float pickups = Union(SdRoundBox(p - Vec3{0, -0.15f, 0.2f}, {0.32f, 0.1f, 0.05f}, 0.03f),
                                SdRoundBox(p - Vec3{0, -0.65f, 0.2f}, {0.32f, 0.1f, 0.05f}, 0.03f));
    const float bridge = SdRoundBox(p - Vec3{0, -1.2f, 0.2f}, {0.3f, 0.07f, 0.06f}, 0.03f);
    const float neck = SdRoundBox(p - Vec3{0, 2.25f, 0.1f}, {0.17f, 1.75f, 0.09f}, 0.05f);
    const float head = SdRoundBox(p - Vec3{0, 4.45f, 0.08f}, {0.27f, 0.5f, 0.07f}, 0.05f);
    // Tuning pegs: three a side, pointing outwards from the head's edges.
    const Vec3 side{std::fabs(p.x), p.y, p.z};
    const float pegY = 4.45f + std::clamp(std::round((p.y - 4.45f) / 0.3f), -1.0f, 1.0f) * 0.3f;
    const float pegs = SdCapsule(side, {0.25f, pegY, 0.08f}, {0.5f, pegY, 0.08f}, 0.065f);
    return Union(Union(Union(body, pickups), bridge), Union(Union(neck, head), pegs));
}

}  // namespace

GreyImage RenderDepth4() {
    constexpr float kTurn = -0.95f;  // radians: neck toward the upper right
    constexpr float kTip = 0.22f;    // radians: head end away from the viewer
    const OrthoView view{0.05f, 0.05f, 0.0122f, 1.5f, -1.5f};
    return RenderNearness(640, 480, [&](Vec3 p) { return Guitar(RotateX(RotateZ(p, -kTurn), kTip) + Vec3{0, 1.45f, 0}); }, view);
}

}  // namespace samplegen
