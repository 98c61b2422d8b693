// 3D models as depth maps: a model file read with assimp, drawn by our own z-buffer renderer.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "Bitmap.h"
#include "DepthRasterizer.h"

// Renders the model in FileName as a Width × Height 24-bit grey depth map seen as View
// says (RenderMeshDepth gives the levels). Files the model refers to are looked up beside
// it. Raises EFileError for a file that cannot be opened or read, EInvalidGraphic with its
// reason for one that holds no usable model (ReadModel).
TBitmap RenderModelDepth(const std::string& FileName, int Width, int Height, const TModelView& View = {});

// The same for a model held in memory, such as one read from a pipe; Name names it in
// messages and its extension helps to recognise a format without a signature. Files it
// refers to cannot be looked up.
TBitmap RenderModelDepth(std::span<const std::uint8_t> Bytes, const std::string& Name, int Width, int Height, const TModelView& View = {});
