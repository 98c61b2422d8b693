#include "Raycast.h"

#include <limits>
#include <vector>

namespace samplegen {
namespace {

constexpr float kMiss = -std::numeric_limits<float>::infinity();

// Height of the first surface the ray through (x, y) meets coming from zTop, or kMiss.
float TraceDown(const Sdf& scene, float x, float y, const OrthoView& view) {
    float z = view.zTop;
    for (int step = 0; step < 512 && z > view.zBottom; ++step) {
        const float d = scene({x, y, z});
        if (d < 1e-4f) return z;
        z -= std::max(d * 0.8f, 1e-4f);  // 0.8: tolerates the approximate distances
    }
    return kMiss;
}

}  // namespace

GreyImage RenderNearness(int width, int height, const Sdf& scene, const OrthoView& view,
                         NearnessRange range, int samples) {
    const int n = samples * samples;
    std::vector<float> heights(std::size_t(width) * std::size_t(height) * std::size_t(n), kMiss);
    float zMin = std::numeric_limits<float>::infinity(), zMax = -zMin;
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            for (int s = 0; s < n; ++s) {
                const float sx = px + (float(s % samples) + 0.5f) / float(samples);
                const float sy = py + (float(s / samples) + 0.5f) / float(samples);
                const float x = view.centreX + (sx - float(width) / 2) * view.scale;
                const float y = view.centreY - (sy - float(height) / 2) * view.scale;
                const float z = TraceDown(scene, x, y, view);
                heights[(std::size_t(py) * std::size_t(width) + std::size_t(px)) * std::size_t(n) + std::size_t(s)] = z;
                if (z != kMiss) {
                    zMin = std::min(zMin, z);
                    zMax = std::max(zMax, z);
                }
            }
        }
    }
    GreyImage out(width, height);
    const float span = zMax > zMin ? zMax - zMin : 1.0f;
    for (int py = 0; py < height; ++py) {
        for (int px = 0; px < width; ++px) {
            float sum = 0;
            for (int s = 0; s < n; ++s) {
                const float z = heights[(std::size_t(py) * std::size_t(width) + std::size_t(px)) * std::size_t(n) + std::size_t(s)];
                if (z != kMiss) sum += range.farLevel + (range.nearLevel - range.farLevel) * (z - zMin) / span;
            }
            out.at(px, py) = sum / float(n);
        }
    }
    return out;
}

GreyImage Blur(const GreyImage& image, float sigma) {
    const int radius = std::max(1, int(std::ceil(sigma * 3)));
    std::vector<float> kernel(std::size_t(2 * radius + 1));
    float total = 0;
    for (int i = -radius; i <= radius; ++i) total += kernel[std::size_t(i + radius)] = std::exp(-0.5f * float(i * i) / (sigma * sigma));
    for (float& k : kernel) k /= total;

    GreyImage tmp(image.width, image.height), out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float s = 0;
            for (int i = -radius; i <= radius; ++i) s += kernel[std::size_t(i + radius)] * image.at(std::clamp(x + i, 0, image.width - 1), y);
            tmp.at(x, y) = s;
        }
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            float s = 0;
            for (int i = -radius; i <= radius; ++i) s += kernel[std::size_t(i + radius)] * tmp.at(x, std::clamp(y + i, 0, image.height - 1));
            out.at(x, y) = s;
        }
    return out;
}

GreyImage Fill(int width, int height, const std::function<float(float x, float y)>& f) {
    GreyImage out(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) out.at(x, y) = f(float(x) + 0.5f, float(y) + 0.5f);
    return out;
}

}  // namespace samplegen
