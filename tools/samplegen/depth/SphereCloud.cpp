#include "depth/SphereCloud.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace samplegen {
namespace {

constexpr float kNoSurface = -1e6f;
constexpr float kSpacingPerRadius = 0.25f;  // sphere spacing along a tube, in radii
constexpr int kBinsAcross = 96;             // resolution of the lookup grid

}  // namespace

void SphereCloud::AddSphere(Vec3 centre, float radius) { spheres_.push_back({centre, radius}); }

void SphereCloud::AddTube(const std::vector<Vec3>& path, float startRadius, float endRadius) {
    float total = 0;
    for (std::size_t i = 1; i < path.size(); ++i) total += Length(path[i] - path[i - 1]);
    float travelled = 0;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const Vec3 a = path[i - 1], b = path[i];
        const float length = Length(b - a);
        float t = 0;
        while (t < length) {
            const float along = total > 0 ? (travelled + t) / total : 0.0f;
            const float radius = startRadius + (endRadius - startRadius) * along;
            AddSphere(a + (b - a) * (t / length), radius);
            t += std::max(radius * kSpacingPerRadius, 1e-4f);
        }
        travelled += length;
    }
    if (!path.empty()) AddSphere(path.back(), endRadius);
}

void SphereCloud::Build() {
    float maxX = -std::numeric_limits<float>::infinity(), maxY = maxX;
    minX_ = minY_ = std::numeric_limits<float>::infinity();
    for (const Sphere& s : spheres_) {
        minX_ = std::min(minX_, s.centre.x - s.radius);
        minY_ = std::min(minY_, s.centre.y - s.radius);
        maxX = std::max(maxX, s.centre.x + s.radius);
        maxY = std::max(maxY, s.centre.y + s.radius);
    }
    binSize_ = std::max(maxX - minX_, maxY - minY_) / float(kBinsAcross);
    binsX_ = int((maxX - minX_) / binSize_) + 1;
    binsY_ = int((maxY - minY_) / binSize_) + 1;
    bins_.assign(std::size_t(binsX_) * std::size_t(binsY_), {});
    for (std::size_t i = 0; i < spheres_.size(); ++i) {
        const Sphere& s = spheres_[i];
        const int x0 = int((s.centre.x - s.radius - minX_) / binSize_), x1 = int((s.centre.x + s.radius - minX_) / binSize_);
        const int y0 = int((s.centre.y - s.radius - minY_) / binSize_), y1 = int((s.centre.y + s.radius - minY_) / binSize_);
        for (int by = std::max(y0, 0); by <= std::min(y1, binsY_ - 1); ++by)
            for (int bx = std::max(x0, 0); bx <= std::min(x1, binsX_ - 1); ++bx)
                bins_[std::size_t(by) * std::size_t(binsX_) + std::size_t(bx)].push_back(int(i));
    }
}

float SphereCloud::TopHeight(float x, float y) const {
    const int bx = int(std::floor((x - minX_) / binSize_)), by = int(std::floor((y - minY_) / binSize_));
    if (bx < 0 || by < 0 || bx >= binsX_ || by >= binsY_) return kNoSurface;
    float top = kNoSurface;
    for (const int i : bins_[std::size_t(by) * std::size_t(binsX_) + std::size_t(bx)]) {
        const Sphere& s = spheres_[std::size_t(i)];
        const float dx = x - s.centre.x, dy = y - s.centre.y;
        const float h2 = s.radius * s.radius - dx * dx - dy * dy;
        if (h2 > 0) top = std::max(top, s.centre.z + std::sqrt(h2));
    }
    return top;
}

float SphereCloud::ColumnDistance(Vec3 p) const { return p.z - TopHeight(p.x, p.y); }

}  // namespace samplegen
