// Pictures in floating point, as the sample generator builds them before encoding.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

namespace samplegen {

// One channel, values in grey levels 0 … 255 (0 = black = far background).
struct GreyImage {
    int width = 0;
    int height = 0;
    std::vector<float> pixels;

    GreyImage() = default;
    GreyImage(int w, int h, float fill = 0.0f) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

    float& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    float at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

struct Rgb {
    float r = 0, g = 0, b = 0;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Rgb Mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

// Three channels, values 0 … 255.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<Rgb> pixels;

    RgbImage() = default;
    RgbImage(int w, int h, Rgb fill = {}) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}

    Rgb& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    const Rgb& at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

inline std::uint8_t ToByte(float v) {
    return static_cast<std::uint8_t>(std::clamp(v + 0.5f, 0.0f, 255.0f));
}

// The picture as rows of red, green, blue bytes, top row first, as the encoders take it.
inline std::vector<std::uint8_t> InterleavedBytes(const RgbImage& image) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(image.pixels.size() * 3);
    for (const Rgb& p : image.pixels) {
        bytes.push_back(ToByte(p.r));
        bytes.push_back(ToByte(p.g));
        bytes.push_back(ToByte(p.b));
    }
    return bytes;
}

}  // namespace samplegen
