// The rasteriser's first step: the mesh turned, projected and framed onto the sample grid.
#pragma once

#include <cstdint>
#include <vector>

#include "DepthRasterizer.h"
#include "Mesh.h"
#include "RasterScene.h"

namespace raster {

struct TPoint {
    double X, Y, Z;
};

// The projection's own memory, kept from drawing to drawing.
struct TProjectionWork {
    std::vector<std::uint8_t> Used;  // one per mesh vertex: a corner of a drawable triangle
    TScratch<TPoint> Points;         // one per mesh vertex, set for the used ones
};

// Turns, projects and frames the mesh onto Scene's sample grid of Width × Height pixels:
// marks the drawable triangles, sets their corners and the nearness's scale. False when
// nothing is left to draw, or the model has no extent on the picture.
bool Project(const TMesh& Mesh, int Width, int Height, const TModelView& View, TScene& Scene, TProjectionWork& Work);

}  // namespace raster
