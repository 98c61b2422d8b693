#include "Shapes2D.h"

#include <algorithm>
#include <cmath>

namespace samplegen {

bool InsidePolygon(std::span<const Point2> polygon, Point2 p) {
    bool inside = false;
    for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
        const Point2 a = polygon[i], b = polygon[j];
        if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y)) inside = !inside;
    }
    return inside;
}

GreyImage FillSupersampled(int width, int height, int samples,
                           const std::function<float(float x, float y)>& f) {
    GreyImage out(width, height);
    const float step = 1.0f / float(samples);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            float sum = 0;
            for (int sy = 0; sy < samples; ++sy)
                for (int sx = 0; sx < samples; ++sx)
                    sum += f(float(x) + (float(sx) + 0.5f) * step, float(y) + (float(sy) + 0.5f) * step);
            out.at(x, y) = sum / float(samples * samples);
        }
    return out;
}

float TerraceLevel(float t, int steps, float lowLevel, float highLevel) {
    const float clamped = std::clamp(t, 0.0f, 1.0f);
    const int step = std::min(int(std::floor(clamped * float(steps))), steps - 1);
    const float fraction = steps > 1 ? float(step) / float(steps - 1) : 1.0f;
    return lowLevel + (highLevel - lowLevel) * fraction;
}

}  // namespace samplegen
