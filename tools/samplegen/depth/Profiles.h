// Distance functions for outlines drawn in the picture plane and for lifting them into
// solids, so that letters, fins and bolts can be ray-cast like the other primitives.
#pragma once

#include <span>

#include "Raycast.h"
#include "depth/Shapes2D.h"

namespace samplegen {

// Signed distance to a closed polygon (negative inside).
float SdPolygon(Point2 p, std::span<const Point2> polygon);

// Distance to the segment from a to b.
float SdSegment(Point2 p, Point2 a, Point2 b);

// Turns a 2D signed distance d (taken in the x-y plane) into a slab of half thickness
// halfDepth along z, with edges rounded by `rounding`.
float Extrude(float d, float z, float halfDepth, float rounding = 0.0f);

// Torus in the x-y plane cut open: only the arc within halfAngle (radians) of the +y
// direction is kept; the tube ends are rounded.
float SdOpenTorus(Vec3 p, float halfAngle, float R, float r);

}  // namespace samplegen
