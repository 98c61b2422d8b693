// What the parts of the rasteriser share: the sample grid, the triangles' corners on it,
// the threads and the memory a drawing works in. Used by the rasteriser's own files only.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

namespace raster {

constexpr int Samples = 4;  // samples per pixel along each axis
constexpr int SamplesPerPixel = Samples * Samples;
// Corners are snapped to 1/256 of a sample, so that edge functions are exact integers:
// neighbouring triangles then share every sample on their common edge exactly once.
constexpr int FixedBits = 8;
constexpr std::int64_t FixedOne = std::int64_t(1) << FixedBits;
constexpr std::int64_t FixedHalf = FixedOne / 2;
// Pixel rows drawn together: the band's sample depths stay in the cache, and the depth
// buffer stays small whatever the picture's size.
constexpr int BandPixelRows = 8;
constexpr int BandSampleRows = BandPixelRows * Samples;
// Corners and triangles are shared out among threads when there are at least this many per thread.
constexpr std::size_t MinItemsPerThread = 32768;
// Depth buffer entries: 0 where no surface is, else the nearness Q, from 1 at the model's
// farthest corner to 2 at its nearest. An empty band is cleared by writing zero bytes.
constexpr float NoSurface = 0;

// Four samples side by side, in the lanes of the processor's vector registers.
using TLanes = std::int32_t __attribute__((vector_size(16)));
using TFloatLanes = float __attribute__((vector_size(16)));
constexpr int Lanes = 4;
static_assert(Samples % Lanes == 0, "a row of samples is a whole number of groups");

// A corner on the sample grid in fixed point, and its nearness Q, 1 … 2. Q varies linearly
// across the picture: it is an affine function of z for the orthographic camera, and of
// 1 / distance for the perspective one.
struct TScreenVertex {
    std::int32_t X, Y;
    float Q;
};

// Runs Work(0) … Work(Parts − 1) at once, Work(0) on the calling thread; the others are
// joined before this returns, also when Work(0) throws.
template <typename TWork>
void InParts(int Parts, const TWork& Work) {
    std::vector<std::jthread> Helpers;
    for (int Part = 1; Part < Parts; ++Part) Helpers.emplace_back(Work, Part);
    Work(0);
}

// How many of Threads share Count items of which each thread should get at least Least.
inline int PartsFor(std::size_t Count, std::size_t Least, int Threads) { return int(std::clamp<std::size_t>(Count / Least, 1, std::size_t(Threads))); }

// Items [First, Last) of Count shared out among Parts.
struct TRange {
    std::size_t First, Last;
};
inline TRange PartOf(std::size_t Count, int Part, int Parts) { return {Count * std::size_t(Part) / std::size_t(Parts), Count * std::size_t(Part + 1) / std::size_t(Parts)}; }

// Memory every element of which is written before it is read, kept from drawing to drawing:
// it grows, uninitialised, when more is asked for than it has. Filling it first would touch
// every fresh page once more, on one thread, for nothing.
template <typename T>
class TScratch {
public:
    T* Ensure(std::size_t Count) {
        if (Count > FCapacity) {
            FItems = std::make_unique_for_overwrite<T[]>(Count);
            FCapacity = Count;
        }
        return FItems.get();
    }
    T& operator[](std::size_t I) { return FItems[I]; }
    const T& operator[](std::size_t I) const { return FItems[I]; }
    const T* data() const { return FItems.get(); }

private:
    std::unique_ptr<T[]> FItems;
    std::size_t FCapacity = 0;
};

// One drawing's sample grid, the mesh's corners on it and how nearness maps to distance.
struct TScene {
    int Threads = 1;  // the threads a drawing may use at most
    TScratch<TScreenVertex> Vertices;  // one per mesh vertex, set for the corners of drawable triangles
    std::vector<std::uint8_t> Drawable;    // one per mesh triangle
    int SampleWidth = 0, SampleHeight = 0;
    bool Perspective = false;
    // Perspective: the camera's inverse distances for Q = 1 and the change per unit of Q.
    float InverseFar = 1, InverseSpan = 0;

    // The distance of a sample of nearness Q in any unit that is linear in the distance.
    float Distance(float Q) const { return Perspective ? 1 / (InverseFar + (Q - 1) * InverseSpan) : 2 - Q; }
};

// First and last sample index whose centre lies in [Low, High] (fixed point).
inline std::int64_t FirstSample(std::int64_t Low) { return Low - FixedHalf <= 0 ? 0 : (Low - FixedHalf + FixedOne - 1) / FixedOne; }
inline std::int64_t LastSample(std::int64_t High) { return High < FixedHalf ? -1 : (High - FixedHalf) / FixedOne; }

// std::lround of a value far inside the 64-bit range, without the library's call: the
// truncation and the rest are exact, the rest decides, halves away from zero.
inline std::int64_t Rounded(double V) {
    const auto Whole = std::int64_t(V);
    const double Rest = V - double(Whole);
    return Whole + (Rest >= 0.5) - (Rest <= -0.5);
}

}  // namespace raster
