// A short thick-walled tube tipped toward the viewer, so that both its outside and
// the inside through its open end can be seen.
#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {

GreyImage RenderDepth13() {
    constexpr float kOuterRadius = 0.9f, kInnerRadius = 0.68f, kHalfLength = 2.1f;
    constexpr float kTilt = 0.75f, kTurn = -0.6f;  // radians: toward the viewer, then sideways
    const Sdf tube = [&](Vec3 p) {
        const Vec3 q = RotateX(RotateZ(p, kTurn), -kTilt);
        return Subtract(SdCylinderY(q, kOuterRadius, kHalfLength), SdCylinderY(q, kInnerRadius, kHalfLength + 0.1f));
    };
    const OrthoView view{0.0f, 0.0f, 0.0125f, 2.6f, -2.6f};
    return RenderNearness(640, 480, tube, view);
}

}  // namespace samplegen
