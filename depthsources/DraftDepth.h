// The depth map shown while a model turns under the mouse: its coarse copy, drawn small.
#pragma once

#include "DepthRasterizer.h"
#include "GreyPlane.h"
#include "Mesh.h"

// Draft (a mesh from DraftMesh) drawn by Rasterizer at half of Width × Height, each axis,
// and enlarged to it (bilinear). Width and Height are at least 2.
TGreyPlane RenderDraftDepth(TMeshRasterizer& Rasterizer, const TMesh& Draft, int Width, int Height, const TModelView& View);
