// A rose seen from the front: rings of cupped petals around a bud, on a curved stem with
// three leaves.
#include <array>
#include <cmath>
#include <vector>
#include <numbers>

#include "Raycast.h"
#include "Samples.h"

namespace samplegen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr Vec3 kBloomCentre{0, 1.25f, 0};
constexpr float kBloomRadius = 1.45f;
constexpr float kBoundMargin = 0.1f;
constexpr float kPetalCentreAlong = 0.6f;  // a petal's middle lies this far out along it, in its lengths

struct PetalRing {
    int count;
    float startAngle, distance, height, tilt;
    Vec3 radii;  // along the petal, across it, thickness
};

// Every petal is cupped, its rim rising away from the centre; the outer rings lie almost
// open, the inner ones stand up and close around the bud.
constexpr std::array<PetalRing, 4> kRings{{
    {5, 0.3f, 0.55f, 0.0f, -0.25f, {0.42f, 0.6f, 0.06f}},
    {5, 0.93f, 0.4f, 0.12f, -0.6f, {0.36f, 0.5f, 0.06f}},
    {5, 0.6f, 0.27f, 0.24f, -0.9f, {0.3f, 0.38f, 0.05f}},
    {3, 0.1f, 0.14f, 0.36f, -1.15f, {0.24f, 0.34f, 0.05f}},
}};

struct Leaf {
    Vec3 centre;
    float angle;
};

constexpr std::array<Leaf, 3> kLeaves{{
    {{0.52f, -0.55f, -0.05f}, 0.45f},
    {{-0.55f, -1.2f, -0.05f}, kPi - 0.5f},
    {{0.5f, -1.85f, -0.05f}, 0.35f},
}};

// One petal placed in the bloom, with its turn and tip worked out once.
struct Petal {
    float cosTurn, sinTurn, cosTip, sinTip;
    Vec3 offset;   // of the petal's base from the bloom centre, in the turned frame
    Vec3 radii;
    Vec3 centre;   // of the petal, from the bloom centre
};

std::vector<Petal> ArrangePetals() {
    std::vector<Petal> petals;
    for (const PetalRing& ring : kRings)
        for (int i = 0; i < ring.count; ++i) {
            const float turn = ring.startAngle + 2 * kPi * float(i) / float(ring.count);
            const Vec3 alongPetal = RotateY({ring.radii.x * kPetalCentreAlong, 0, 0}, ring.tilt);
            const Vec3 centre = RotateZ(Vec3{ring.distance, 0, ring.height} + alongPetal, turn);
            petals.push_back({std::cos(turn), std::sin(turn), std::cos(ring.tilt), std::sin(ring.tilt),
                              {ring.distance, 0, ring.height}, ring.radii, centre});
        }
    return petals;
}

float Petals(Vec3 p, const std::vector<Petal>& petals) {
    const Vec3 q = p - kBloomCentre;
    // Every petal lies within kBloomRadius of the centre: far away, skip the petal loop.
    const float bound = Length(q) - kBloomRadius;
    if (bound > kBoundMargin) return bound;
    float d = SdSphere(q - Vec3{0, 0, 0.38f}, 0.14f);
    for (const Petal& petal : petals) {
        if (Length(q - petal.centre) - petal.radii.y > d) continue;  // cannot come nearer
        // The inverse of the petal's turn about z, then of its tip about y.
        const Vec3 turned = Vec3{petal.cosTurn * q.x + petal.sinTurn * q.y, -petal.sinTurn * q.x + petal.cosTurn * q.y, q.z} - petal.offset;
        const Vec3 local{petal.cosTip * turned.x - petal.sinTip * turned.z, turned.y, petal.sinTip * turned.x + petal.cosTip * turned.z};
        d = Union(d, SdEllipsoid(local - Vec3{petal.radii.x * kPetalCentreAlong, 0, 0}, petal.radii));
    }
    return d;
}

float StemAndLeaves(Vec3 p) {
    float d = Union(SdCapsule(p, {0, 0.7f, -0.2f}, {0.12f, -1.0f, -0.15f}, 0.08f),
                    SdCapsule(p, {0.12f, -1.0f, -0.15f}, {0.02f, -2.6f, -0.15f}, 0.08f));
    for (const Leaf& leaf : kLeaves) {
        const Vec3 local = RotateZ(p - leaf.centre, -leaf.angle);
        const float blade = SdEllipsoid(local, {0.48f, 0.2f, 0.05f});
        const float rib = SdCapsule(local, {-0.45f, 0, 0.03f}, {0.4f, 0, 0.03f}, 0.025f);
        d = Union(d, Union(blade, rib));
    }
    return d;
}

}  // namespace

GreyImage RenderDepth23() {
    const std::vector<Petal> petals = ArrangePetals();
    const auto scene = [&petals](Vec3 world) {
        const Vec3 p = RotateX(world, -0.2f);
        return Union(Petals(p, petals), StemAndLeaves(p));
    };
    OrthoView view;
    view.centreY = -0.05f;
    view.scale = 6.0f / 630.0f;
    view.zTop = 1.2f;
    view.zBottom = -1.0f;
    return RenderNearness(594, 630, scene, view);
}

}  // namespace samplegen
