// A fly seen from above: head with two big compound eyes, thorax, striped abdomen,
// two thin wings spread backwards and six jointed legs reaching down to the ground.
#include <array>
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

struct Leg {
    Vec3 hip, knee, foot;
};

// Right-hand legs (x > 0); the left ones are their mirror images.
constexpr std::array<Leg, 3> kLegs{{
    {{0.25f, 0.75f, -0.1f}, {0.85f, 1.35f, 0.05f}, {1.05f, 2.0f, -0.55f}},
    {{0.3f, 0.45f, -0.1f}, {1.2f, 0.55f, 0.05f}, {1.75f, 0.2f, -0.55f}},
    {{0.25f, 0.15f, -0.1f}, {1.0f, -0.6f, 0.05f}, {1.35f, -1.45f, -0.55f}},
}};

float Body(Vec3 p) {
    const float head = SdEllipsoid(p - Vec3{0, 1.15f, 0.0f}, {0.3f, 0.25f, 0.25f});
    const float eye = SdSphere(p - Vec3{0.3f, 1.28f, 0.08f}, 0.26f);
    const float thorax = SdEllipsoid(p - Vec3{0, 0.5f, 0.1f}, {0.45f, 0.5f, 0.4f});
    // The abdomen gets shallow grooves between its segments.
    const float segments = 0.012f * std::cos((p.y + 0.2f) * 16.0f);
    const float abdomen = SdEllipsoid(p - Vec3{0, -0.55f, 0.05f}, {0.5f, 0.75f, 0.35f}) + segments;
    return SmoothUnion(Union(head, eye), SmoothUnion(thorax, abdomen, 0.12f), 0.06f);
}

float Wing(Vec3 p) {
    // Lies flat at the height of the body's flank, pointing outwards and backwards,
    // with raised veins; low and thin, so the body stands out above it.
    const Vec3 q = RotateZ(p - Vec3{1.05f, -0.3f, 0.0f}, 0.95f);
    const float blade = SdEllipsoid(q, {0.4f, 1.1f, 0.025f});
    const float vein = std::min(SdCapsule(q, {0, 1.0f, 0.02f}, {0.1f, -1.0f, 0.02f}, 0.025f),
                                SdCapsule(q, {0, 0.6f, 0.02f}, {0.35f, -0.7f, 0.02f}, 0.02f));
    return Union(blade, Intersect(vein, blade - 0.04f));
}

float Legs(Vec3 p) {
    float d = 1e9f;
    for (const Leg& leg : kLegs) d = std::min(d, std::min(SdCapsule(p, leg.hip, leg.knee, 0.06f), SdCapsule(p, leg.knee, leg.foot, 0.045f)));
    return d;
}

float Fly(Vec3 p) {
    const Vec3 mirrored{std::fabs(p.x), p.y, p.z};
    return Union(Union(Body(mirrored), Wing(mirrored)), Legs(mirrored));
}

}  // namespace

GreyImage RenderDepth1() {
    const OrthoView view{0.0f, 0.25f, 0.0095f, 0.7f, -0.7f};
    return RenderNearness(640, 480, Fly, view);
}

}  // namespace samplegen
