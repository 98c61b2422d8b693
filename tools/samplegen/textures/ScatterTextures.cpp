// Textures made of scattered marks: squiggles, pixel noise, blobs, leaves and speckles.
// Every mark is drawn around the torus, so marks crossing an edge come back at the other.
#include <algorithm>
#include <cmath>
#include <tuple>

#include "../Samples.h"
#include "TileNoise.h"

namespace samplegen {
namespace {

using tile::Coverage;
using tile::HashUnit;

// Keeps the brighter of the existing colour and the new one, channel by channel.
void Lighten(Rgb& pixel, Rgb colour) {
    pixel = {std::max(pixel.r, colour.r), std::max(pixel.g, colour.g), std::max(pixel.b, colour.b)};
}

// Draws `count` round marks: mark(i) gives centre, radius and the colour function, which
// receives the offset from the centre divided by the radius.
template <typename Mark>
void ScatterDiscs(RgbImage& image, int count, Mark&& mark) {
    for (int i = 0; i < count; ++i) {
        const auto [cx, cy, radius, shade] = mark(i);
        tile::ForEachNear(image, cx, cy, radius + 1.0f, [&](int x, int y, float dx, float dy) {
            const float r = std::hypot(dx, dy);
            image.at(x, y) = Mix(image.at(x, y), shade(dx / radius, dy / radius), Coverage(r - radius));
        });
    }
}

// Random position on the tile for mark i.
float RandomX(const RgbImage& image, int i, std::uint32_t seed) { return HashUnit(i, 0, seed) * float(image.width); }
float RandomY(const RgbImage& image, int i, std::uint32_t seed) { return HashUnit(i, 1, seed) * float(image.height); }

// Speckles: many small discs of random size and a colour from `pick`.
template <typename Pick>
void Speckle(RgbImage& image, int count, float minRadius, float maxRadius, std::uint32_t seed, Pick&& pick) {
    ScatterDiscs(image, count, [&](int i) {
        const float radius = minRadius + (maxRadius - minRadius) * HashUnit(i, 2, seed) * HashUnit(i, 3, seed);
        const Rgb colour = pick(HashUnit(i, 4, seed), HashUnit(i, 5, seed));
        return std::make_tuple(RandomX(image, i, seed), RandomY(image, i, seed), radius,
                               [colour](float dx, float dy) { return colour * (1.0f - 0.25f * (dx * dx + dy * dy)); });
    });
}

}  // namespace

RgbImage RenderTexture2() {  // multicoloured squiggles on black
    constexpr std::uint32_t kSeed = 201;
    RgbImage image(200, 180);
    for (int worm = 0; worm < 75; ++worm) {
        float x = RandomX(image, worm, kSeed), y = RandomY(image, worm, kSeed);
        float heading = HashUnit(worm, 2, kSeed) * tile::kTwoPi;
        const float wiggle = 0.15f + 0.25f * HashUnit(worm, 3, kSeed);
        const float phase = HashUnit(worm, 4, kSeed) * tile::kTwoPi;
        const int steps = 60 + int(HashUnit(worm, 5, kSeed) * 90.0f);
        const Rgb colour = tile::Hsv(HashUnit(worm, 6, kSeed), 0.75f + 0.25f * HashUnit(worm, 7, kSeed), 1.0f);
        for (int step = 0; step < steps; ++step) {
            heading += wiggle * std::sin(phase + float(step) * 0.11f) + 0.06f * (HashUnit(worm, 100 + step, kSeed) - 0.5f);
            x += 0.7f * std::cos(heading);
            y += 0.7f * std::sin(heading);
            const float glow = 0.75f + 0.25f * std::sin(float(step) * 0.2f);
            tile::ForEachNear(image, x, y, 2.0f, [&](int px, int py, float dx, float dy) {
                Lighten(image.at(px, py), colour * (glow * Coverage(std::hypot(dx, dy) - 0.9f)));
            });
        }
    }
    return image;
}

RgbImage RenderTexture4() {  // multicoloured pixel noise
    return tile::PaintTile(135, 127, [](float u, float v, int x, int y) {
        // A slow drift of the hue keeps the noise from looking like plain static.
        const float drift = 0.25f * tile::Fbm(u, v, 3, 3, 2, 401);
        return tile::Hsv(HashUnit(x, y, 402) + drift, 0.55f + 0.45f * HashUnit(x, y, 403), 0.3f + 0.7f * HashUnit(x, y, 404));
    });
}

RgbImage RenderTexture5() {  // bright blobs on black
    constexpr std::uint32_t kSeed = 501;
    RgbImage image(179, 164);
    ScatterDiscs(image, 70, [&](int i) {
        const float radius = 5.0f + 11.0f * HashUnit(i, 2, kSeed) * HashUnit(i, 3, kSeed);
        const Rgb colour = tile::Hsv(HashUnit(i, 4, kSeed), 0.8f, 1.0f);
        // Shaded like a glossy bead: brighter towards the upper left, with a highlight.
        return std::make_tuple(RandomX(image, i, kSeed), RandomY(image, i, kSeed), radius, [colour](float dx, float dy) {
            const float dome = std::sqrt(std::max(0.0f, 1.0f - dx * dx - dy * dy));
            const float lit = 0.35f + 0.65f * std::clamp(dome * 0.7f - 0.35f * (dx + dy), 0.0f, 1.0f);
            const float highlight = std::exp(-((dx + 0.4f) * (dx + 0.4f) + (dy + 0.4f) * (dy + 0.4f)) * 18.0f);
            return Mix(colour * lit, Rgb{255, 255, 255}, highlight);
        });
    });
    return image;
}

RgbImage RenderTexture6() {  // green-yellow foliage
    constexpr std::uint32_t kSeed = 601;
    RgbImage image = tile::PaintTile(85, 118, [](float u, float v, int, int) {
        return Mix(Rgb{10, 30, 8}, Rgb{40, 70, 20}, 0.5f + 0.5f * tile::Fbm(u, v, 3, 4, 3, 602));
    });
    for (int leaf = 0; leaf < 190; ++leaf) {
        const float cx = RandomX(image, leaf, kSeed), cy = RandomY(image, leaf, kSeed);
        const float angle = HashUnit(leaf, 2, kSeed) * tile::kTwoPi;
        const float length = 6.0f + 6.0f * HashUnit(leaf, 3, kSeed), breadth = length * (0.35f + 0.15f * HashUnit(leaf, 4, kSeed));
        const Rgb colour = tile::Hsv(0.17f + 0.16f * HashUnit(leaf, 5, kSeed), 0.75f + 0.2f * HashUnit(leaf, 6, kSeed),
                                     0.4f + 0.55f * HashUnit(leaf, 7, kSeed));
        const float ca = std::cos(angle), sa = std::sin(angle);
        tile::ForEachNear(image, cx, cy, length + 1.0f, [&](int x, int y, float dx, float dy) {
            const float along = (dx * ca + dy * sa) / length, across = (-dx * sa + dy * ca) / breadth;
            // A pointed leaf: the half width shrinks towards both tips.
            const float halfWidth = 1.0f - along * along;
            if (halfWidth <= 0) return;
            const float edge = (std::fabs(across) - halfWidth) * breadth;
            const float vein = std::exp(-across * across * 60.0f);
            const float side = across > 0 ? 1.1f : 0.85f;
            const Rgb shade = Mix(colour * side, colour * 0.55f, 0.6f * vein);
            image.at(x, y) = Mix(image.at(x, y), shade, Coverage(edge));
        });
    }
    return image;
}

RgbImage RenderTexture7() {  // green speckles
    constexpr std::uint32_t kSeed = 701;
    RgbImage image = tile::PaintTile(150, 130, [](float u, float v, int x, int y) {
        const float t = 0.5f + 0.5f * tile::Fbm(u, v, 4, 4, 3, 702) + 0.3f * (HashUnit(x, y, 703) - 0.5f);
        return Mix(Rgb{20, 70, 25}, Rgb{60, 130, 45}, std::clamp(t, 0.0f, 1.0f));
    });
    Speckle(image, 900, 0.6f, 2.6f, kSeed, [](float hue, float value) {
        return tile::Hsv(0.2f + 0.15f * hue, 0.6f + 0.35f * hue, 0.25f + 0.75f * value);
    });
    return image;
}

RgbImage RenderTexture8() {  // red speckles on black
    constexpr std::uint32_t kSeed = 801;
    RgbImage image(150, 130);
    Speckle(image, 650, 0.6f, 2.4f, kSeed, [](float hue, float value) {
        return tile::Hsv(0.97f + 0.1f * hue, 0.75f + 0.25f * value, 0.45f + 0.55f * value);
    });
    return image;
}

}  // namespace samplegen
