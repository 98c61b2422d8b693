// Textures grown from layered seamless noise: mottled purple, plaster, rock, marble.
#include <algorithm>
#include <cmath>

#include "../Samples.h"
#include "TileNoise.h"

namespace samplegen {
namespace {

using tile::CellsFor;
using tile::Fbm;

// Colour at t (0 … 1) along a three-stop gradient.
Rgb Gradient3(Rgb low, Rgb mid, Rgb high, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return t < 0.5f ? Mix(low, mid, t * 2.0f) : Mix(mid, high, t * 2.0f - 1.0f);
}

// Per-pixel grain of ± amount/2 grey levels.
float Grain(int x, int y, std::uint32_t seed, float amount) { return (tile::HashUnit(x, y, seed) - 0.5f) * amount; }

}  // namespace

RgbImage RenderTexture1() {  // mottled purple
    constexpr int kWidth = 85, kHeight = 118;
    const int cx = CellsFor(kWidth, 24.0f), cy = CellsFor(kHeight, 24.0f);
    return tile::PaintTile(kWidth, kHeight, [&](float u, float v, int x, int y) {
        const float blotch = Fbm(u, v, cx, cy, 4, 101);
        const float fleck = Fbm(u, v, cx * 4, cy * 4, 2, 102);
        const float tint = Fbm(u, v, cx, cy, 2, 103);
        const float t = 0.5f + 0.9f * blotch + 0.35f * fleck;
        Rgb c = Gradient3({45, 10, 70}, {125, 45, 165}, {225, 165, 245}, t);
        c = Mix(c, tint > 0 ? Rgb{200, 50, 160} : Rgb{80, 70, 210}, std::min(0.45f, std::fabs(tint) * 0.9f));
        const float g = Grain(x, y, 104, 22.0f);
        return c + Rgb{g, g, g};
    });
}

RgbImage RenderTexture9() {  // grey plaster
    constexpr int kWidth = 100, kHeight = 100;
    GreyImage height(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float u = (float(x) + 0.5f) / kWidth, v = (float(y) + 0.5f) / kHeight;
            const tile::CellSample pit = tile::Cells(u, v, 9, 9, 903);
            const float pitDepth = pit.f1 < 0.12f && (pit.id & 3u) == 0 ? (0.12f - pit.f1) * 25.0f : 0.0f;
            // Broad trowel swells, finer lumps and a sandy grain.
            height.at(x, y) = 5.0f * Fbm(u, v, 3, 3, 5, 901) + 0.9f * tile::GradientNoise(u, v, 40, 40, 905) +
                              0.3f * tile::HashUnit(x, y, 902) - pitDepth;
        }
    const GreyImage light = tile::Relief(height, 1.2f);
    return tile::PaintTile(kWidth, kHeight, [&](float u, float v, int x, int y) {
        const float tint = Fbm(u, v, 3, 3, 2, 904);
        const Rgb base = Mix(Rgb{186, 180, 170}, Rgb{160, 166, 178}, 0.5f + tint);
        return base * (0.4f + 0.65f * light.at(x, y));
    });
}

RgbImage RenderTexture10() {  // grey-blue rock
    constexpr int kWidth = 200, kHeight = 200;
    GreyImage height(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const float u = (float(x) + 0.5f) / kWidth, v = (float(y) + 0.5f) / kHeight;
            // Ridged noise gives sharp crests and gullies; the fissures of a cell pattern
            // show only where a second noise lets them, so they break off like real cracks.
            const float ridges = 1.0f - std::fabs(Fbm(u, v, 3, 3, 5, 1001));
            const tile::CellSample cell = tile::Cells(u, v, 4, 4, 1006);
            const float fissure = std::max(0.0f, 0.06f - (cell.f2 - cell.f1)) * 120.0f * std::max(0.0f, Fbm(u, v, 3, 3, 2, 1007) + 0.2f);
            height.at(x, y) = 10.0f * Fbm(u, v, 4, 4, 6, 1002) + 9.0f * ridges * ridges - fissure;
        }
    const GreyImage light = tile::Relief(height, 0.9f);
    return tile::PaintTile(kWidth, kHeight, [&](float u, float v, int x, int y) {
        const float strata = std::sin(tile::kTwoPi * (2.0f * v + u) + 3.0f * Fbm(u, v, 3, 3, 3, 1003));
        const float mineral = tile::HashUnit(x, y, 1004);
        Rgb base = Gradient3({70, 82, 100}, {120, 134, 155}, {175, 185, 200}, 0.5f + 0.35f * strata + 0.4f * Fbm(u, v, 8, 8, 3, 1005));
        base = base * (0.9f + 0.2f * mineral);
        return base * (0.35f + 0.75f * light.at(x, y));
    });
}

RgbImage RenderTexture12() {  // red marbled swirls
    constexpr int kWidth = 200, kHeight = 200;
    return tile::PaintTile(kWidth, kHeight, [&](float u, float v, int, int) {
        // Two rounds of warping turn straight bands into swirls; every step keeps the period.
        const float wu = u + 0.30f * Fbm(u, v, 2, 2, 5, 1201);
        const float wv = v + 0.30f * Fbm(u, v, 2, 2, 5, 1202);
        const float su = wu + 0.12f * Fbm(wu, wv, 4, 4, 4, 1203);
        const float sv = wv + 0.12f * Fbm(wu, wv, 4, 4, 4, 1204);
        const float phase = tile::kTwoPi * (4.0f * su + 2.0f * sv);
        const float band = std::sin(phase);
        const float vein = std::exp(-std::fabs(std::sin(0.5f * phase + 1.0f)) * 14.0f);
        const float thread = std::exp(-std::fabs(std::sin(3.0f * phase)) * 10.0f);
        const float fine = Fbm(su, sv, 16, 16, 2, 1206);
        Rgb c = Gradient3({95, 5, 22}, {185, 25, 38}, {238, 95, 80}, 0.5f + 0.45f * band + 0.15f * fine);
        c = Mix(c, Rgb{120, 10, 30}, 0.35f * thread);
        return Mix(c, Rgb{252, 220, 205}, 0.9f * vein);
    });
}

}  // namespace samplegen
