#include "depth/Profiles.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace samplegen {

float SdSegment(Point2 p, Point2 a, Point2 b) {
    const float px = p.x - a.x, py = p.y - a.y, bx = b.x - a.x, by = b.y - a.y;
    const float h = std::clamp((px * bx + py * by) / (bx * bx + by * by), 0.0f, 1.0f);
    return std::hypot(px - bx * h, py - by * h);
}

float SdPolygon(Point2 p, std::span<const Point2> polygon) {
    float distance = std::numeric_limits<float>::infinity();
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++)
        distance = std::min(distance, SdSegment(p, polygon[j], polygon[i]));
    return InsidePolygon(polygon, p) ? -distance : distance;
}

float Extrude(float d, float z, float halfDepth, float rounding) {
    const float wx = d + rounding, wz = std::fabs(z) - halfDepth + rounding;
    return std::min(std::max(wx, wz), 0.0f) + std::hypot(std::max(wx, 0.0f), std::max(wz, 0.0f)) - rounding;
}

float SdOpenTorus(Vec3 p, float halfAngle, float R, float r) {
    const float sx = std::sin(halfAngle), sy = std::cos(halfAngle);
    const float x = std::fabs(p.x);
    // Inside the kept arc the nearest tube point lies on the ring; beyond it, at the cut end.
    const float k = sy * x > sx * p.y ? x * sx + p.y * sy : std::hypot(x, p.y);
    return std::sqrt(std::max(x * x + p.y * p.y + p.z * p.z + R * R - 2.0f * R * k, 0.0f)) - r;
}

}  // namespace samplegen
