// A trefoil knot: a tube swept along the trefoil curve, its crossings at clearly
// different depths.
#include <cmath>
#include <numbers>
#include <vector>

#include "Raycast.h"
#include "Samples.h"
#include "depth/SphereCloud.h"

namespace samplegen {
namespace {

constexpr int kPathPoints = 600;
constexpr float kTubeRadius = 0.42f;
constexpr float kDepthStretch = 1.4f;  // separates the strands at the crossings

Vec3 TrefoilPoint(float t) {
    return {std::sin(t) + 2 * std::sin(2 * t), std::cos(t) - 2 * std::cos(2 * t), -kDepthStretch * std::sin(3 * t)};
}

}  // namespace

GreyImage RenderDepth21() {
    SphereCloud knot;
    std::vector<Vec3> path;
    for (int i = 0; i <= kPathPoints; ++i) path.push_back(TrefoilPoint(2 * std::numbers::pi_v<float> * float(i) / kPathPoints));
    knot.AddTube(path, kTubeRadius);
    knot.Build();
    OrthoView view;
    view.centreY = -0.4f;
    view.scale = 7.2f / 600.0f;
    view.zTop = kDepthStretch + kTubeRadius + 0.1f;
    view.zBottom = -view.zTop;
    const auto scene = [&knot](Vec3 p) { return knot.ColumnDistance(p); };
    return RenderNearness(800, 600, scene, view);
}

}  // namespace samplegen
