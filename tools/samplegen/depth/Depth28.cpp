// A standing human figure facing the viewer, arms spread out sideways: head, neck, torso,
// hips, arms with hands, legs with feet pointing forward.
#include <cmath>

#include "Raycast.h"
#include "Samples.h"

namespace samplegen {
namespace {

constexpr float kShoulderY = 1.62f;
constexpr float kHandX = 2.1f;

float Limbs(Vec3 p) {
    const Vec3 q{std::fabs(p.x), p.y, p.z};  // the figure is mirror-symmetric
    const float upperArm = SdCapsule(q, {0.45f, kShoulderY, 0}, {1.2f, kShoulderY, 0}, 0.14f);
    const float forearm = SdCapsule(q, {1.2f, kShoulderY, 0}, {kHandX - 0.1f, kShoulderY, 0}, 0.11f);
    const float hand = SdEllipsoid(q - Vec3{kHandX + 0.05f, kShoulderY, 0}, {0.17f, 0.12f, 0.07f});
    const float thigh = SdCapsule(q, {0.24f, 0.25f, 0}, {0.36f, -0.85f, 0}, 0.19f);
    const float shin = SdCapsule(q, {0.36f, -0.85f, 0}, {0.45f, -1.85f, 0}, 0.14f);
    const float foot = SdEllipsoid(q - Vec3{0.47f, -1.98f, 0.04f}, {0.13f, 0.08f, 0.2f});
    return SmoothUnion(SmoothUnion(SmoothUnion(upperArm, forearm, 0.05f), hand, 0.04f),
                       SmoothUnion(SmoothUnion(thigh, shin, 0.05f), foot, 0.05f), 0.02f);
}

float Trunk(Vec3 p) {
    const float head = SdEllipsoid(p - Vec3{0, 2.22f, 0}, {0.27f, 0.32f, 0.28f});
    const float neck = SdCapsule(p, {0, 1.7f, 0}, {0, 1.95f, 0}, 0.1f);
    const float chest = SdEllipsoid(p - Vec3{0, 1.15f, 0}, {0.48f, 0.6f, 0.28f});
    const float shoulders = SdCapsule(p, {-0.42f, 1.55f, 0}, {0.42f, 1.55f, 0}, 0.17f);
    const float hips = SdEllipsoid(p - Vec3{0, 0.35f, 0}, {0.45f, 0.38f, 0.26f});
    return SmoothUnion(SmoothUnion(head, neck, 0.08f), SmoothUnion(SmoothUnion(chest, shoulders, 0.2f), hips, 0.25f), 0.1f);
}

}  // namespace

GreyImage RenderDepth28() {
    const auto scene = [](Vec3 p) { return SmoothUnion(Trunk(p), Limbs(p), 0.1f); };
    OrthoView view;
    view.centreY = 0.2f;
    view.scale = 5.4f / 680.0f;
    view.zTop = 0.5f;
    view.zBottom = -0.4f;
    return RenderNearness(680, 680, scene, view);
}

}  // namespace samplegen
