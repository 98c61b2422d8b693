// A depth map out of a single-image stereogram: the separations of the picture found by
// matching, then turned into depth levels, through the geometry of the run that drew the
// picture when it is known, else as relative depth.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "Bitmap.h"

// The separations a run drew with: samples of each depth level as drawn (the generator's
// SeparationTable), the samples of a pixel, and whether the levels were inverted for
// crossed eyes.
struct TRevealGeometry {
    std::array<std::int32_t, 256> Separations{};
    int Oversampling = 1;
    bool CrossEyed = false;
};

struct TRevealSettings {
    std::optional<TRevealGeometry> Geometry;  // unknown: relative depth
    bool CrossEyed = false;                   // unknown geometry: smaller separations are far
    int Threads = 1;
};

struct TRevealResult {
    TBitmap Depth;  // 24-bit grey, the picture's size: black far, white near
    // Separations in pixels of the farthest and the nearest surface found (the far-plane
    // repeat is the first).
    double FarRepeat = 0, NearRepeat = 0;
    // Share of the pixels whose pair held up from both ends, 0 … 1; low for a doubtful picture.
    double Confidence = 0;
};

// Below this confidence a revealed map is doubtful.
constexpr double DoubtfulRevealConfidence = 0.35;

// Raises TRevealFailure for a picture in which no repeat was found or that is narrower
// than two repeats.
TRevealResult Reveal(const TBitmap& Stereogram, const TRevealSettings& Settings);
