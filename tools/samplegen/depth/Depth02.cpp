// A single-engined propeller aeroplane seen from above and behind, its nose raised
// toward the viewer: fuselage, cockpit canopy, wings, tailplane, fin, and a
// two-bladed propeller on a spinner at the nose.
#include <cmath>

#include "../Raycast.h"
#include "../Samples.h"

namespace samplegen {
namespace {

// The aeroplane's own frame: nose toward +y, wings along x, top toward +z.
float Aeroplane(Vec3 p) {
    const float fuselage = SdEllipsoid(p, {0.4f, 2.4f, 0.42f});
    const float canopy = SdEllipsoid(p - Vec3{0, 0.75f, 0.36f}, {0.25f, 0.6f, 0.26f});
    const float wings = SdRoundBox(p - Vec3{0, 0.45f, -0.05f}, {2.7f, 0.42f, 0.07f}, 0.06f);
    const float tailplane = SdRoundBox(p - Vec3{0, -2.05f, 0.0f}, {1.05f, 0.26f, 0.05f}, 0.04f);
    const float fin = SdRoundBox(RotateX(p - Vec3{0, -2.05f, 0.45f}, -0.35f), {0.05f, 0.32f, 0.45f}, 0.04f);
    const float spinner = SdEllipsoid(p - Vec3{0, 2.35f, 0}, {0.2f, 0.3f, 0.2f});
    const float blades = SdEllipsoid(RotateY(p - Vec3{0, 2.5f, 0}, 0.25f), {1.15f, 0.06f, 0.14f});
    const float body = SmoothUnion(SmoothUnion(fuselage, canopy, 0.08f), SmoothUnion(wings, tailplane, 0.0f), 0.1f);
    return Union(Union(body, fin), Union(spinner, blades));
}

float Scene(Vec3 p) {
    constexpr float kHeading = 0.45f;  // radians, nose toward upper left
    constexpr float kPitch = 0.55f;    // radians, nose toward the viewer
    return Aeroplane(RotateX(RotateZ(p, -kHeading), -kPitch));
}

}  // namespace

GreyImage RenderDepth2() {
    const OrthoView view{0.0f, 0.0f, 0.0092f, 2.5f, -2.5f};
    return RenderNearness(800, 600, Scene, view);
}

}  // namespace samplegen
