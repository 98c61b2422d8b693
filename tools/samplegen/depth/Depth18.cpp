// The outline of a heart in low relief: a tube along the heart curve, rendered with a
// short range of grey levels and blurred.
#include <cmath>
#include <numbers>
#include <vector>

#include "Raycast.h"
#include "Samples.h"
#include "depth/SphereCloud.h"

namespace samplegen {
namespace {

constexpr int kPathPoints = 240;
constexpr float kTubeRadius = 1.4f;
constexpr float kBlurSigma = 5.0f;

// The classic heart curve, about 32 units wide, its dimple on top.
Vec3 HeartPoint(float t) {
    const float s = std::sin(t);
    return {16.0f * s * s * s,
            13.0f * std::cos(t) - 5.0f * std::cos(2 * t) - 2.0f * std::cos(3 * t) - std::cos(4 * t), 0};
}

}  // namespace

GreyImage RenderDepth18() {
    SphereCloud outline;
    std::vector<Vec3> path;
    for (int i = 0; i <= kPathPoints; ++i) path.push_back(HeartPoint(2 * std::numbers::pi_v<float> * float(i) / kPathPoints));
    outline.AddTube(path, kTubeRadius);
    outline.Build();
    OrthoView view;
    view.centreY = -2.5f;
    view.scale = 50.0f / 533.0f;
    view.zTop = kTubeRadius + 0.5f;
    view.zBottom = -kTubeRadius - 0.5f;
    const auto scene = [&outline](Vec3 p) { return outline.ColumnDistance(p); };
    return Blur(RenderNearness(533, 388, scene, view, {60.0f, 175.0f}), kBlurSigma);
}

}  // namespace samplegen
