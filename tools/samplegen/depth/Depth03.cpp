// A sauropod seen from the side: heavy body, long neck curving up to a small head,
// long tapering tail, four pillar legs (the far pair set back from the viewer).
#include <array>
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"
#include "TaperedCapsule.h"

namespace samplegen {
namespace {

struct Joint {
    Vec3 centre;
    float radius;
};

// Spine from the head down the neck, over the back and out along the tail; the
// animal faces left. Consecutive joints are joined by tapering segments.
constexpr std::array<Joint, 11> kSpine{{
    {{-2.55f, 1.75f, 0}, 0.1f},
    {{-2.3f, 1.6f, 0}, 0.13f},
    {{-1.95f, 1.05f, 0}, 0.17f},
    {{-1.55f, 0.45f, 0}, 0.24f},
    {{-1.05f, 0.05f, 0}, 0.33f},
    {{1.0f, -0.1f, 0}, 0.3f},
    {{1.6f, -0.35f, 0}, 0.22f},
    {{2.15f, -0.6f, 0}, 0.15f},
    {{2.65f, -0.7f, 0}, 0.1f},
    {{3.05f, -0.65f, 0}, 0.06f},
    {{3.3f, -0.5f, 0}, 0.03f},
}};

float Sauropod(Vec3 p) {
    float spine = 1e9f;
    for (std::size_t i = 0; i + 1 < kSpine.size(); ++i)
        spine = SmoothUnion(spine, SdTaperedCapsule(p, kSpine[i].centre, kSpine[i + 1].centre, kSpine[i].radius, kSpine[i + 1].radius), 0.1f);
    const float head = SdEllipsoid(p - Vec3{-2.72f, 1.75f, 0}, {0.3f, 0.15f, 0.15f});
    const float body = SdEllipsoid(p - Vec3{0.0f, -0.05f, 0}, {1.35f, 0.75f, 0.62f});
    // Legs: the near pair toward the viewer, the far pair behind the body.
    const Vec3 q{p.x, p.y, std::fabs(p.z) - 0.38f};
    const float frontLeg = SdTaperedCapsule(q, {-0.8f, -0.2f, 0}, {-0.85f, -1.55f, 0}, 0.24f, 0.2f);
    const float hindLeg = SdTaperedCapsule(q, {0.85f, -0.2f, 0}, {0.9f, -1.55f, 0}, 0.28f, 0.21f);
    return SmoothUnion(SmoothUnion(spine, head, 0.08f), SmoothUnion(body, Union(frontLeg, hindLeg), 0.15f), 0.25f);
}

}  // namespace

GreyImage RenderDepth3() {
    const OrthoView view{0.15f, 0.05f, 0.0115f, 1.0f, -1.0f};
    return RenderNearness(640, 480, [](Vec3 p) { return Sauropod(RotateY(p, -0.22f)); }, view);
}

}  // namespace samplegen
