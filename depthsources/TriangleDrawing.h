// Drawing one triangle into a band's depth buffer, sample by sample, exactly.
#pragma once

#include <cstddef>
#include <cstdint>

#include "RasterScene.h"

namespace raster {

// A triangle at most this many samples wide is tested sample by sample: cheaper than
// finding each row's first and last sample by division, and it takes the same samples.
constexpr std::int64_t NarrowTriangleColumns = 16;
// Floats after a band's depth buffer, so that the last row's four-sample groups stay inside it.
constexpr std::size_t BandPadding = NarrowTriangleColumns;

// The samples of the picture that a triangle's corners span, and the nearness of its
// nearest corner: found once while listing, read in every band the triangle reaches.
struct TTriangleBox {
    std::int32_t X0, X1, Y0, Y1;
    float NearestQ;
};

TTriangleBox BoxOf(const TScreenVertex& V0, const TScreenVertex& V1, const TScreenVertex& V2, const TScene& Scene);

// The samples within a band that a triangle's corners span.
struct TSampleBox {
    std::int64_t X0, X1, Y0, Y1;
    bool Empty() const { return X0 > X1 || Y0 > Y1; }
};

inline TSampleBox BoxInBand(const TTriangleBox& Box, int BandTop) {
    return {Box.X0, Box.X1, std::max(Box.Y0, BandTop), std::min(Box.Y1, BandTop + BandSampleRows - 1)};
}

// Draws one triangle into the band's depth buffer Depth, whose first row is sample row
// BandTop, nearer samples winning. Box is the triangle's BoxInBand, not empty.
void DrawTriangle(TScreenVertex V0, TScreenVertex V1, TScreenVertex V2, const TSampleBox& Box, const TScene& Scene, int BandTop, float* Depth);

}  // namespace raster
