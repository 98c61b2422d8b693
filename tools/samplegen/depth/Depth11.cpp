// A teapot from the side, its spout turned a little toward the viewer: round body on
// a flat base, domed lid with a knob, a tapering spout and a ring handle.
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"
#include "TaperedCapsule.h"

namespace samplegen {
namespace {

constexpr float kBaseY = -0.95f;

float Teapot(Vec3 p) {
    const float body = Intersect(SdEllipsoid(p - Vec3{0, -0.2f, 0}, {1.15f, 0.85f, 1.15f}), kBaseY - p.y);
    const float lid = SdEllipsoid(p - Vec3{0, 0.55f, 0}, {0.62f, 0.22f, 0.62f});
    const Vec3 rimCentre = p - Vec3{0, 0.52f, 0};
    const float rim = SdTorus({rimCentre.x, rimCentre.z, rimCentre.y}, 0.64f, 0.05f);  // lying flat
    const float knob = SdSphere(p - Vec3{0, 0.85f, 0}, 0.14f);
    const float spout = SmoothUnion(SdTaperedCapsule(p, {0.8f, -0.45f, 0}, {1.45f, 0.05f, 0}, 0.26f, 0.13f),
                                    SdTaperedCapsule(p, {1.45f, 0.05f, 0}, {1.8f, 0.55f, 0}, 0.13f, 0.09f), 0.08f);
    const float handle = Intersect(SdTorus(p - Vec3{-1.1f, -0.15f, 0}, 0.5f, 0.1f), p.x + 0.9f);
    return Union(Union(SmoothUnion(body, spout, 0.12f), Union(lid, rim)), Union(knob, handle));
}

}  // namespace

GreyImage RenderDepth11() {
    constexpr float kTurn = 0.35f;  // radians: spout toward the viewer
    const OrthoView view{0.05f, 0.0f, 0.0078f, 1.6f, -1.6f};
    return RenderNearness(634, 329, [&](Vec3 p) { return Teapot(RotateY(p, kTurn)); }, view);
}

}  // namespace samplegen
