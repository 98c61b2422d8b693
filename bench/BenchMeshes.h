// Meshes the benchmarks draw: a rippled sphere of many small triangles, and its binary STL.
#pragma once

#include <cstdint>
#include <vector>

#include "Mesh.h"

// A sphere with ripples, Rings × Segments quads, 2 × Rings × Segments triangles sharing
// their corners; small triangles everywhere, as in a scanned model.
TMesh RippledSphere(int Rings, int Segments);

// The benchmark model of about a million triangles (500 × 1000 quads).
const TMesh& MillionTriangles();

// The same triangles, each with its own three corners, as an STL file gives them.
TMesh UnsharedCorners(const TMesh& Mesh);

// Binary STL without normals: the 80-byte title, the count, then 50 bytes per triangle.
std::vector<std::uint8_t> BinaryStl(const TMesh& Mesh);
