// Textures with a regular structure: cells, knitted stitches, glass blocks, an ornament.
#include <algorithm>
#include <cmath>

#include "../Samples.h"
#include "TileNoise.h"

namespace samplegen {
namespace {

using tile::Coverage;
using tile::HashUnit;
using tile::SmoothStep;

constexpr int kGlassBlock = 64;
constexpr float kMortar = 3.0f;

// Distance of pixel (x, y) inside its glass block from the mortar around it (negative
// in the mortar).
float GlassBlockInset(int x, int y) {
    const float bx = float(x % kGlassBlock) + 0.5f - 0.5f * kGlassBlock, by = float(y % kGlassBlock) + 0.5f - 0.5f * kGlassBlock;
    return 0.5f * kGlassBlock - std::max(std::fabs(bx), std::fabs(by)) - kMortar;
}

}  // namespace

RgbImage RenderTexture3() {  // blue cells
    return tile::PaintTile(200, 180, [](float u, float v, int x, int y) {
        const tile::CellSample cell = tile::Cells(u, v, 10, 9, 301);
        const float hue = 0.55f + 0.1f * float(cell.id & 255u) / 255.0f;
        const float value = 0.55f + 0.45f * float((cell.id >> 8) & 255u) / 255.0f;
        // Each cell bulges: lit towards the upper left, shaded away from its centre.
        const float bulge = std::clamp(1.0f - 1.2f * cell.f1 + 0.5f * (cell.toX + cell.toY), 0.2f, 1.2f);
        Rgb c = tile::Hsv(hue, 0.8f, value) * bulge;
        c = c + tile::Hsv(hue, 0.3f, 1.0f) * (0.15f * (HashUnit(x, y, 302) - 0.5f));
        const float wall = 1.0f - SmoothStep(0.04f, 0.12f, cell.f2 - cell.f1);
        return Mix(c, Rgb{8, 18, 60}, wall);
    });
}

RgbImage RenderTexture11() {  // blue knitted wool
    // Whole numbers of stitches across and down keep the tile seamless; a row is 200 / 13
    // pixels high, as a real stitch is a little wider than tall.
    constexpr int kWidth = 200, kHeight = 200, kStitchWidth = 20, kRows = 13;
    constexpr int kColumns = kWidth / kStitchWidth;
    return tile::PaintTile(kWidth, kHeight, [](float u, float v, int x, int y) {
        const int column = x / kStitchWidth;
        const float across = (float(x - column * kStitchWidth) + 0.5f) / kStitchWidth - 0.5f;  // −0.5 … 0.5
        const float t = v * float(kRows);
        // Each stitch is a V of two slanted legs reaching a quarter row into the next
        // stitch's top; the lower stitch lies over the one above it.
        float best = 0, bestAlong = 0, bestSide = 0;
        int bestRow = 0;
        for (int row = int(std::floor(t)) - 1; row <= int(std::floor(t)) + 1; ++row) {
            const float f = (t - float(row) + 0.3f) / 1.3f;
            if (f < 0 || f > 1) continue;
            const float legCentre = 0.06f + 0.32f * (1.0f - f);
            const float d = (std::fabs(across) - legCentre) / 0.19f;
            if (std::fabs(d) >= 1) continue;
            const float shade = std::sqrt(1.0f - d * d) * (0.4f + 0.6f * std::sin(3.14159265f * f));
            if (shade > best) {
                best = shade;
                bestAlong = f;
                bestSide = d;
                bestRow = row;
            }
        }
        // The plies of the yarn twist around each leg: faint diagonal grooves.
        const float ply = 0.8f + 0.2f * std::sin(tile::kTwoPi * (3.0f * bestAlong + 0.8f * bestSide));
        const int stitch = tile::Wrap(bestRow, kRows) * kColumns + column;
        const float fuzz = 0.88f + 0.24f * HashUnit(x, y, 1101);
        const float dye = 0.5f + 0.6f * tile::Fbm(u, v, 3, 3, 3, 1103) + 0.25f * (HashUnit(stitch, 0, 1104) - 0.5f);
        const Rgb wool = Mix(Rgb{25, 55, 165}, Rgb{120, 170, 250}, std::clamp(dye, 0.0f, 1.0f));
        return Mix(Rgb{5, 10, 40}, wool * (ply * fuzz), best);
    });
}

RgbImage RenderTexture13() {  // glass blocks in green and white
    constexpr int kSize = 256;
    constexpr float kBevel = 9.0f;
    GreyImage height(kSize, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            const float inset = GlassBlockInset(x, y);
            // Rounded-square ripples in the middle of each block, as pressed glass has.
            const float bx = std::fabs(float(x % kGlassBlock) + 0.5f - 0.5f * kGlassBlock);
            const float by = std::fabs(float(y % kGlassBlock) + 0.5f - 0.5f * kGlassBlock);
            const float ripple = 1.2f * std::sin(0.55f * (std::max(bx, by) + 0.3f * std::min(bx, by)));
            height.at(x, y) = inset <= 0 ? 0.0f : 6.0f * SmoothStep(0.0f, kBevel, inset) + (inset > kBevel ? ripple : 0.0f);
        }
    const GreyImage light = tile::Relief(height, 1.0f);
    return tile::PaintTile(kSize, kSize, [&](float u, float v, int x, int y) {
        const bool green = (x / kGlassBlock + y / kGlassBlock) % 2 == 0;
        const float cloud = 0.5f + 0.5f * tile::Fbm(u, v, 8, 8, 3, 1301);
        const Rgb glass = green ? Mix(Rgb{30, 140, 80}, Rgb{110, 210, 140}, cloud) : Mix(Rgb{200, 222, 210}, Rgb{250, 255, 250}, cloud);
        const Rgb mortar = Rgb{228, 230, 222} * (0.9f + 0.1f * HashUnit(x, y, 1302));
        const float lit = light.at(x, y);
        const float sparkle = std::pow(std::clamp(lit - 0.9f, 0.0f, 1.0f) * 3.0f, 2.0f);
        const Rgb surface = Mix(glass * (0.45f + 0.6f * lit), Rgb{255, 255, 255}, std::min(1.0f, sparkle));
        return Mix(mortar, surface, Coverage(-GlassBlockInset(x, y)));
    });
}

RgbImage RenderTexture14() {  // pink ornament strip, mirror-symmetric
    constexpr int kWidth = 169, kHeight = 416;
    constexpr float kMotif = 104.0f;  // four motifs down the strip
    constexpr float kBeadPitch = 8.0f;
    const Rgb ground{246, 204, 218}, petal{232, 92, 152}, line{140, 25, 75}, pale{255, 236, 242}, bead{205, 60, 120};
    return tile::PaintTile(kWidth, kHeight, [&](float, float v, int x, int y) {
        // Distance from the middle column: the left half is the mirror image of the right.
        const float ax = std::fabs(float(x) + 0.5f - 0.5f * kWidth);
        const float py = float(y) + 0.5f;
        const float my = std::fmod(py, kMotif) - 0.5f * kMotif;  // −52 … 52 within a motif
        const float cloth = 0.5f + 0.5f * tile::Fbm(ax / kWidth, v, 6, 16, 3, 1401);
        Rgb c = Mix(ground, pale, 0.6f * cloth);

        // Side borders: a line, a chain of beads, and the outer edge.
        c = Mix(c, line, Coverage(std::fabs(ax - 70.0f) - 1.0f));
        const float beadY = std::fmod(py, kBeadPitch) - 0.5f * kBeadPitch;
        const float beadDistance = std::hypot(ax - 77.0f, beadY);
        c = Mix(c, Mix(bead, pale, SmoothStep(2.6f, 0.0f, std::hypot(ax - 76.2f, beadY + 0.8f))), Coverage(beadDistance - 3.0f));
        c = Mix(c, line, Coverage(83.0f - ax));

        // A vine swinging between the border and the medallion, with a leaf at each swing.
        const float vineX = 48.0f + 13.0f * std::sin(tile::kTwoPi * py / kMotif);
        c = Mix(c, Mix(line, petal, 0.4f), Coverage(std::fabs(ax - vineX) - 1.3f));
        const float leafY = std::fmod(py + 0.25f * kMotif, 0.5f * kMotif) - 0.25f * kMotif;
        const float leafSide = std::fmod(std::floor((py + 0.25f * kMotif) / (0.5f * kMotif)), 2.0f) == 0.0f ? 61.0f : 35.0f;
        const float leaf = std::hypot((ax - leafSide) / 1.6f, leafY / 0.9f) - 5.0f;
        c = Mix(c, Mix(petal, pale, SmoothStep(0.0f, -5.0f, leaf) * 0.5f), Coverage(leaf));

        // The medallion: an eight-petal rosette with a ring and a dark heart.
        const float r = std::hypot(ax, my), angle = std::atan2(my, ax);
        const float petalEdge = r - 27.0f * (0.6f + 0.4f * std::fabs(std::cos(4.0f * angle)));
        c = Mix(c, line, Coverage(petalEdge - 1.5f));
        c = Mix(c, Mix(petal, pale, SmoothStep(20.0f, 6.0f, r) * 0.6f), Coverage(petalEdge));
        c = Mix(c, line, Coverage(std::fabs(r - 10.0f) - 1.2f));
        c = Mix(c, Mix(bead, Rgb{110, 10, 60}, SmoothStep(7.0f, 0.0f, r)), Coverage(r - 7.0f));

        // A small diamond between two medallions.
        const float diamond = ax + std::fabs(std::fabs(my) - 0.5f * kMotif) - 10.0f;
        c = Mix(c, line, Coverage(diamond - 1.2f));
        c = Mix(c, petal, Coverage(diamond));
        return c;
    });
}

}  // namespace samplegen
