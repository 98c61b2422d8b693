// Our own z-buffer renderer of a triangle mesh into a depth map: no GPU, no window.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "GreyPlane.h"
#include "Mesh.h"

enum class TProjection : std::uint8_t { Orthographic, Perspective };

// How a model is looked at. The camera looks along −Z (x to the right, y up); the model
// is first turned about its centre by RotateX, then RotateY, then RotateZ degrees
// (right-handed), then framed so that it fills the picture up to a margin.
struct TModelView {
    double RotateX = 0, RotateY = 0, RotateZ = 0;
    TProjection Projection = TProjection::Orthographic;
};

// Levels of a model's nearest and farthest visible point; the background is black.
constexpr std::uint8_t NearestDepthLevel = 255;
constexpr std::uint8_t FarthestDepthLevel = 48;

// Draws Mesh into a Width × Height depth map: the level falls linearly with the distance
// from the viewer, from NearestDepthLevel at the nearest visible point to
// FarthestDepthLevel at the farthest; the background is black; each pixel is the mean of
// 4 × 4 samples. Triangles with a corner that is not finite, or an index past the
// vertices, are left out; with none left, or a model seen exactly edge-on, the picture is
// black. Sizes as for TGreyPlane.
TGreyPlane RenderMeshDepth(const TMesh& Mesh, int Width, int Height, const TModelView& View);

// Draws as RenderMeshDepth does, keeping its working memory for the next picture: a model
// drawn again and again (turned by hand, or frame by frame) then costs only the drawing.
// One drawing at a time, on at most Threads threads (0: one per core); the picture is the
// same on any number.
class TMeshRasterizer {
public:
    explicit TMeshRasterizer(int Threads = 0);
    ~TMeshRasterizer();
    TMeshRasterizer(const TMeshRasterizer&) = delete;
    TMeshRasterizer& operator=(const TMeshRasterizer&) = delete;

    TGreyPlane Render(const TMesh& Mesh, int Width, int Height, const TModelView& View);

private:
    struct TWorkspace;
    std::unique_ptr<TWorkspace> FWork;
    int FThreads;
};

// Rasterisers for threads that draw at once, the frames of an animation: each drawing
// borrows one that no other drawing holds and gives it back. Each draws on its own thread
// only, as the frames already share the cores out.
class TMeshRasterizerPool {
public:
    TGreyPlane Render(const TMesh& Mesh, int Width, int Height, const TModelView& View);

private:
    std::mutex FLock;
    std::vector<std::unique_ptr<TMeshRasterizer>> FIdle;
};
