// A union of many spheres, swept along paths to make tubes (knots, strands, outlines).
// Instead of a distance to the nearest of thousands of spheres it answers the height of
// the top surface above a point of the picture plane, looked up through a grid of bins:
// exact and fast for the straight-down rays of the orthographic caster.
#pragma once

#include <vector>

#include "Raycast.h"

namespace samplegen {

class SphereCloud {
public:
    void AddSphere(Vec3 centre, float radius);

    // Sweeps a sphere along the polyline, its radius going linearly from startRadius to
    // endRadius; the spheres overlap closely enough that the tube looks smooth.
    void AddTube(const std::vector<Vec3>& path, float startRadius, float endRadius);
    void AddTube(const std::vector<Vec3>& path, float radius) { AddTube(path, radius, radius); }

    // Sorts the spheres into bins; call after the last Add and before any query.
    void Build();

    // Height of the top surface above (x, y), or a very low value where there is none.
    float TopHeight(float x, float y) const;

    // p.z minus the top height: a safe step for rays going straight down (-z), so it can
    // be combined with true distance functions by Union.
    float ColumnDistance(Vec3 p) const;

private:
    struct Sphere {
        Vec3 centre;
        float radius;
    };
    std::vector<Sphere> spheres_;
    std::vector<std::vector<int>> bins_;
    float minX_ = 0, minY_ = 0, binSize_ = 1;
    int binsX_ = 0, binsY_ = 0;
};

}  // namespace samplegen
