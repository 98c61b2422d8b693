// One vertex for each position a mesh's corners share.
#pragma once

#include "Mesh.h"

// Makes the vertices at the same position (the same bits) one, the first of them, and
// points the triangles' corners at it; vertices no corner uses are dropped. A file that
// gives every triangle three corners of its own (STL does) then turns and projects each
// position once, and draws exactly the same picture.
void WeldCorners(TMesh& Mesh);
