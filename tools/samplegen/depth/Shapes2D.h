// Flat (2D) helpers for the depth maps that are drawn as plateaus and terraces
// rather than ray-cast: polygon tests, supersampled filling and level quantising.
#pragma once

#include <functional>
#include <span>

#include "../Image.h"

namespace samplegen {

struct Point2 {
    float x = 0, y = 0;
};

// Even-odd rule: true when p lies inside the closed polygon.
bool InsidePolygon(std::span<const Point2> polygon, Point2 p);

// Like Fill, but averages f over samples × samples points per pixel so that steps and
// outlines get smooth edges instead of stair-steps.
GreyImage FillSupersampled(int width, int height, int samples,
                           const std::function<float(float x, float y)>& f);

// Maps t in [0, 1] onto one of `steps` flat levels evenly spaced from lowLevel to
// highLevel (t = 0 gives lowLevel, t = 1 gives highLevel).
float TerraceLevel(float t, int steps, float lowLevel, float highLevel);

}  // namespace samplegen
