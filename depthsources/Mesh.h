// A triangle mesh in one coordinate frame: what a model file holds, ready to be drawn.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

struct TVertex {
    float X, Y, Z;
};

struct TMesh {
    std::vector<TVertex> Vertices;
    // Corner indices into Vertices. Triangles with an index past the end or a corner that
    // is not finite are left out when drawing.
    std::vector<std::array<std::uint32_t, 3>> Triangles;
};
