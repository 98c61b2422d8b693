// A bushy cluster: many rounded strands springing from a common centre, each curling a
// little, spread evenly over the half of the sphere that faces the viewer.
#include <cmath>
#include <numbers>
#include <vector>

#include "Raycast.h"
#include "Samples.h"
#include "depth/SphereCloud.h"

namespace samplegen {
namespace {

constexpr int kStrands = 70;
constexpr int kPointsPerStrand = 24;
constexpr float kGoldenAngle = 2.39996323f;

// A unit vector perpendicular to d.
Vec3 Perpendicular(Vec3 d) {
    const Vec3 a = std::fabs(d.z) < 0.9f ? Vec3{0, 0, 1} : Vec3{1, 0, 0};
    const Vec3 c{d.y * a.z - d.z * a.y, d.z * a.x - d.x * a.z, d.x * a.y - d.y * a.x};
    return c * (1.0f / Length(c));
}

}  // namespace

GreyImage RenderDepth27() {
    SphereCloud bush;
    bush.AddSphere({0, 0, 0}, 0.45f);
    for (int i = 0; i < kStrands; ++i) {
        // Evenly spread directions (a Fibonacci spiral), leaning toward the viewer.
        const float z = 1.0f - 1.2f * (float(i) + 0.5f) / kStrands;
        const float ring = std::sqrt(1 - z * z);
        const float phi = kGoldenAngle * float(i);
        const Vec3 dir{ring * std::cos(phi), ring * std::sin(phi), z};
        const Vec3 side = Perpendicular(dir);
        const float length = 1.5f + 0.35f * std::sin(float(i) * 1.7f);
        const float curl = 0.35f * std::sin(float(i) * 2.3f + 1.0f);
        std::vector<Vec3> path;
        for (int k = 0; k <= kPointsPerStrand; ++k) {
            const float s = float(k) / kPointsPerStrand;
            path.push_back(dir * (length * s) + side * (curl * s * s));
        }
        bush.AddTube(path, 0.13f, 0.1f);
    }
    bush.Build();
    OrthoView view;
    view.scale = 4.6f / 512.0f;
    view.zTop = 2.2f;
    view.zBottom = -1.0f;
    const auto scene = [&bush](Vec3 p) { return bush.ColumnDistance(p); };
    return RenderNearness(512, 512, scene, view);
}

}  // namespace samplegen
