// Seamless building blocks for the textures: every function here is periodic over the
// picture, so a texture built from them tiles without a seam in both directions.
// Positions are given as (u, v) in tile units: 0 … 1 spans the whole picture once.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "../Image.h"

namespace samplegen::tile {

constexpr float kTwoPi = 6.28318531f;

// Integer hash of a lattice point and a seed; our own, so results never change with the
// standard library.
std::uint32_t Hash(int a, int b, std::uint32_t seed);

// The hash as a number in [0, 1).
inline float HashUnit(int a, int b, std::uint32_t seed) {
    return float(Hash(a, b, seed) >> 8) * (1.0f / 16777216.0f);
}

inline int Wrap(int value, int period) {
    const int m = value % period;
    return m < 0 ? m + period : m;
}

// Lattice cells that make features of about `pixels` pixels on a side `size` pixels long.
inline int CellsFor(int size, float pixels) { return std::max(1, int(std::lround(float(size) / pixels))); }

// Gradient noise on a lattice of cellsX × cellsY cells covering the tile; about −1 … 1.
float GradientNoise(float u, float v, int cellsX, int cellsY, std::uint32_t seed);

// Sum of `octaves` layers of gradient noise, each with twice the cells and half the
// weight of the one before; normalised to about −1 … 1.
float Fbm(float u, float v, int cellsX, int cellsY, int octaves, std::uint32_t seed);

// Nearest and second nearest of one jittered feature point per lattice cell (Worley
// noise). Distances are in cell units; `id` names the nearest point's cell, and
// (toX, toY) points from (u, v) to the nearest point, in cell units.
struct CellSample {
    float f1 = 0, f2 = 0;
    std::uint32_t id = 0;
    float toX = 0, toY = 0;
};
CellSample Cells(float u, float v, int cellsX, int cellsY, std::uint32_t seed, float jitter = 0.9f);

// Coverage of an anti-aliased edge: 1 well inside (distance < 0), 0 outside.
inline float Coverage(float signedDistance) { return std::clamp(0.5f - signedDistance, 0.0f, 1.0f); }

inline float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

// Hue, saturation, value (all 0 … 1, hue wrapping) to a colour in 0 … 255.
Rgb Hsv(float hue, float saturation, float value);

// Lambert light factor of a periodic height field (heights in pixels), lit from the upper
// left; 1 on flat ground, differences wrap around the edges.
GreyImage Relief(const GreyImage& height, float strength);

// Calls paint(x, y, dx, dy) for every pixel within `radius` of the point (cx, cy) on the
// torus of the image's size; (dx, dy) is the pixel centre's offset from the point.
template <typename Image, typename Paint>
void ForEachNear(const Image& image, float cx, float cy, float radius, Paint&& paint) {
    const int x0 = int(std::floor(cx - radius)), x1 = int(std::ceil(cx + radius));
    const int y0 = int(std::floor(cy - radius)), y1 = int(std::ceil(cy + radius));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            const float dx = float(x) + 0.5f - cx, dy = float(y) + 0.5f - cy;
            if (dx * dx + dy * dy <= radius * radius)
                paint(Wrap(x, image.width), Wrap(y, image.height), dx, dy);
        }
}

// Builds a colour picture from f(u, v, x, y), with (u, v) the pixel centre in tile units.
template <typename F>
RgbImage PaintTile(int width, int height, F&& f) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at(x, y) = f((float(x) + 0.5f) / float(width), (float(y) + 0.5f) / float(height), x, y);
    return image;
}

}  // namespace samplegen::tile
