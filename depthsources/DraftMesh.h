// A coarse copy of a mesh, quick to draw while a model turns under the mouse.
#pragma once

#include <memory>

#include "Mesh.h"

// Mesh with its corners clustered on a grid of Cells cells along the longest side of the
// box around its drawable corners: the corners in one cell become one at their mean, and a
// triangle with two corners in one cell is left out. Corners the triangles share only by
// position (an STL file gives every triangle its own three) become one as well. Triangles
// that would be left out when drawing are left out here; Cells is taken into
// 1 … MaxDraftCells.
TMesh DraftMesh(const TMesh& Mesh, int Cells);

constexpr int MaxDraftCells = 1 << 20;  // the cells of all three axes numbered in 64 bits

// The grid of a draft drawn at Width × Height pixels: a cell a few pixels wide.
int DraftCells(int Width, int Height);

// The draft of the mesh last asked for, made again only when the mesh or the grid changes.
class TDraftMeshCache {
public:
    const TMesh& For(const std::shared_ptr<const TMesh>& Mesh, int Cells);

private:
    std::weak_ptr<const TMesh> FSource;
    int FCells = 0;
    TMesh FDraft;
};
