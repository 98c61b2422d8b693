// Three open rings linked with each other: C-shaped tori at the corners of a triangle,
// each tipped about the line from the triangle's centre so that it passes in front of one
// neighbour and behind the other; every gap faces outward, away from the links.
#include <array>
#include <cmath>
#include <numbers>

#include "Raycast.h"
#include "Samples.h"
#include "depth/Profiles.h"

namespace samplegen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kRingRadius = 1.0f;
constexpr float kTubeRadius = 0.16f;
constexpr float kSpacing = 1.2f;        // between ring centres
constexpr float kTip = 0.6f;            // radians; enough for the tubes to pass clear of each other
constexpr float kKeptHalfAngle = 2.5f;  // each ring keeps about 290 degrees of its circle

float OpenRing(Vec3 p, Point2 centre) {
    const float outward = std::atan2(centre.y, centre.x);
    // Turn the outward direction onto +x, undo the tip about it, then put the gap at +x.
    Vec3 q = RotateZ(p - Vec3{centre.x, centre.y, 0}, -outward);
    q = RotateX(q, -kTip);
    return SdOpenTorus(RotateZ(q, -kPi / 2), kKeptHalfAngle, kRingRadius, kTubeRadius);
}

}  // namespace

GreyImage RenderDepth15() {
    const float up = kSpacing * std::sqrt(3.0f) / 6, down = -2 * up;
    const std::array<Point2, 3> centres{{{-kSpacing / 2, up}, {kSpacing / 2, up}, {0, down}}};
    const auto scene = [&centres](Vec3 p) {
        return Union(OpenRing(p, centres[0]), Union(OpenRing(p, centres[1]), OpenRing(p, centres[2])));
    };
    OrthoView view;
    view.centreY = -0.12f;
    view.scale = 3.9f / 480.0f;
    view.zTop = 1.3f;
    view.zBottom = -1.3f;
    return RenderNearness(640, 480, scene, view);
}

}  // namespace samplegen
