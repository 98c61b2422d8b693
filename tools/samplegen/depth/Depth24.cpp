// The characters "3D", chunky and upright, standing on a floor that slopes toward the
// viewer: the floor fills the lower picture and grows lighter down to the bottom edge.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "Raycast.h"
#include "Samples.h"
#include "depth/Profiles.h"

namespace samplegen {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kHorizon = 0.25f;      // the floor's far edge
constexpr float kFloorFar = -1.0f;     // floor height at the horizon
constexpr float kFloorSlope = 0.5f;    // height gained per unit toward the bottom
constexpr float kBaseline = -0.85f;    // where the characters stand
constexpr float kLetterHeight = 1.65f;
constexpr float kStroke = 0.14f;       // half the width of a stroke
constexpr float kLetterHalfDepth = 0.18f;
constexpr float kLetterLift = 0.28f;   // how far the faces stand in front of the floor under them

float FloorHeight(float y) { return kFloorFar + kFloorSlope * (kHorizon - y); }

// Distance to the centre line of an arc of radius r about `centre`, running over
// halfAngle either side of the direction `toward` (radians from +x).
float Arc(Point2 p, Point2 centre, float r, float toward, float halfAngle) {
    return SdOpenTorus(RotateZ({p.x - centre.x, p.y - centre.y, 0}, kPi / 2 - toward), halfAngle, r, 0);
}

// Distance to the centre line of the "3": two arcs open to the left that meet in the
// middle, where a short spur points back.
float Three(Point2 p) {
    const float upperR = 0.32f, lowerR = 0.37f, x = -0.62f;
    const float lowerY = kBaseline + kStroke + lowerR, middle = lowerY + lowerR, upperY = middle + upperR;
    const float upper = Arc(p, {x, upperY}, upperR, kPi / 6, 2 * kPi / 3);
    const float lower = Arc(p, {x, lowerY}, lowerR, -kPi / 6, 2 * kPi / 3);
    const float spur = SdSegment(p, {x - 0.12f, middle}, {x, middle});
    return std::min(std::min(upper, lower), spur);
}

// Distance to the centre line of the "D": a stem, two short bars and a half circle.
float D(Point2 p) {
    const float left = 0.3f, straight = 0.28f, bowlR = kLetterHeight / 2 - kStroke;
    const float bottom = kBaseline + kStroke, top = bottom + 2 * bowlR, middle = bottom + bowlR;
    const float stem = SdSegment(p, {left, bottom}, {left, top});
    const float bars = std::min(SdSegment(p, {left, bottom}, {left + straight, bottom}),
                                SdSegment(p, {left, top}, {left + straight, top}));
    const float bowl = Arc(p, {left + straight, middle}, bowlR, 0, kPi / 2);
    return std::min(stem, std::min(bars, bowl));
}

}  // namespace

GreyImage RenderDepth24() {
    const auto scene = [](Vec3 p) {
        const float plane = (p.z - FloorHeight(p.y)) / std::sqrt(1 + kFloorSlope * kFloorSlope);
        const float floor = Intersect(plane, p.y - kHorizon);
        const float strokes = std::min(Three({p.x, p.y}), D({p.x, p.y})) - kStroke;
        const float faceZ = FloorHeight(kBaseline) + kLetterLift;
        const float letters = Extrude(strokes, p.z - (faceZ - kLetterHalfDepth), kLetterHalfDepth, 0.05f);
        return Union(floor, letters);
    };
    OrthoView view;
    view.scale = 4.0f / 640.0f;
    view.zTop = 0.2f;
    view.zBottom = kFloorFar - 0.05f;
    return RenderNearness(640, 480, scene, view);
}

}  // namespace samplegen
