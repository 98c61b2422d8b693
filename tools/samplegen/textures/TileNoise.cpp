#include "TileNoise.h"

#include <algorithm>

namespace samplegen::tile {
namespace {

// Quintic fade: continuous slope and curvature at the lattice lines.
float Fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }

float Lerp(float a, float b, float t) { return a + (b - a) * t; }

float Corner(int ix, int iy, float fx, float fy, std::uint32_t seed) {
    const float angle = HashUnit(ix, iy, seed) * kTwoPi;
    return std::cos(angle) * fx + std::sin(angle) * fy;
}

}  // namespace

std::uint32_t Hash(int a, int b, std::uint32_t seed) {
    std::uint32_t h = seed * 0x9E3779B9u ^ static_cast<std::uint32_t>(a) * 0x85EBCA6Bu;
    h ^= h >> 15;
    h += static_cast<std::uint32_t>(b) * 0xC2B2AE35u;
    h ^= h >> 13;
    h *= 0x27D4EB2Fu;
    h ^= h >> 16;
    h *= 0x165667B1u;
    h ^= h >> 15;
    return h;
}

float GradientNoise(float u, float v, int cellsX, int cellsY, std::uint32_t seed) {
    const float x = u * float(cellsX), y = v * float(cellsY);
    const float xf = std::floor(x), yf = std::floor(y);
    const int xi = int(xf), yi = int(yf);
    const float fx = x - xf, fy = y - yf;
    const int x0 = Wrap(xi, cellsX), x1 = Wrap(xi + 1, cellsX);
    const int y0 = Wrap(yi, cellsY), y1 = Wrap(yi + 1, cellsY);
    const float top = Lerp(Corner(x0, y0, fx, fy, seed), Corner(x1, y0, fx - 1, fy, seed), Fade(fx));
    const float bottom = Lerp(Corner(x0, y1, fx, fy - 1, seed), Corner(x1, y1, fx - 1, fy - 1, seed), Fade(fx));
    return 1.4f * Lerp(top, bottom, Fade(fy));  // 1.4: stretches the usual ±0.7 to about ±1
}

float Fbm(float u, float v, int cellsX, int cellsY, int octaves, std::uint32_t seed) {
    float sum = 0, weight = 1, total = 0;
    for (int octave = 0; octave < octaves; ++octave) {
        sum += weight * GradientNoise(u, v, cellsX << octave, cellsY << octave, seed + std::uint32_t(octave) * 101u);
        total += weight;
        weight *= 0.5f;
    }
    return sum / total;
}

CellSample Cells(float u, float v, int cellsX, int cellsY, std::uint32_t seed, float jitter) {
    const float x = u * float(cellsX), y = v * float(cellsY);
    const int xi = int(std::floor(x)), yi = int(std::floor(y));
    CellSample best{1e9f, 1e9f, 0, 0, 0};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const int cx = Wrap(xi + dx, cellsX), cy = Wrap(yi + dy, cellsY);
            const float px = float(xi + dx) + 0.5f + jitter * (HashUnit(cx, cy, seed) - 0.5f);
            const float py = float(yi + dy) + 0.5f + jitter * (HashUnit(cx, cy, seed + 7u) - 0.5f);
            const float d = std::hypot(px - x, py - y);
            if (d < best.f1) {
                best.f2 = best.f1;
                best = {d, best.f2, Hash(cx, cy, seed + 13u), px - x, py - y};
            } else if (d < best.f2) {
                best.f2 = d;
            }
        }
    return best;
}

Rgb Hsv(float hue, float saturation, float value) {
    const float h = (hue - std::floor(hue)) * 6.0f;
    const int sector = std::min(int(h), 5);
    const float f = h - float(sector);
    const float p = value * (1 - saturation), q = value * (1 - saturation * f), t = value * (1 - saturation * (1 - f));
    Rgb c;
    switch (sector) {
        case 0: c = {value, t, p}; break;
        case 1: c = {q, value, p}; break;
        case 2: c = {p, value, t}; break;
        case 3: c = {p, q, value}; break;
        case 4: c = {t, p, value}; break;
        default: c = {value, p, q}; break;
    }
    return c * 255.0f;
}

GreyImage Relief(const GreyImage& height, float strength) {
    GreyImage light(height.width, height.height);
    const float lx = -0.5f, ly = -0.5f, lz = 0.7071f;  // unit vector towards the upper-left light
    for (int y = 0; y < height.height; ++y)
        for (int x = 0; x < height.width; ++x) {
            const float sx = strength * 0.5f * (height.at(Wrap(x + 1, height.width), y) - height.at(Wrap(x - 1, height.width), y));
            const float sy = strength * 0.5f * (height.at(x, Wrap(y + 1, height.height)) - height.at(x, Wrap(y - 1, height.height)));
            const float n = std::sqrt(sx * sx + sy * sy + 1.0f);
            light.at(x, y) = std::max(0.0f, (-sx * lx - sy * ly + lz) / n) / lz;
        }
    return light;
}

}  // namespace samplegen::tile
