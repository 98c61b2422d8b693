// Reading a depth map file for the window: a picture, or a model whose mesh is kept so
// that turning it later costs only drawing.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "DepthRasterizer.h"
#include "GreyPlane.h"
#include "Mesh.h"
#include "Picture.h"

struct TDepthFileRead {
    TPicture Picture;                   // holds a bitmap
    std::shared_ptr<const TMesh> Mesh;  // set for a model
};

// The file's depth map: a picture read by its content, or a model (content of no picture
// format that LooksLikeModel takes for one) drawn at Width × Height as View says. A file
// that cannot be opened raises EFileError; a model that cannot be read raises
// EInvalidGraphic with its reason. A picture that cannot be read gives nothing, or raises
// its reason when ReportPicture is set.
std::optional<TDepthFileRead> ReadDepthFileKeepingMesh(const std::string& FileName, int Width, int Height,
                                                       const TModelView& View, bool ReportPicture);

// A drawn plane as a 24-bit grey depth map.
TPicture DepthPicture(const TGreyPlane& Plane);
