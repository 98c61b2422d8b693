// A duck seen from the side, facing right: round body with raised tail and a folded wing,
// neck, head with an eye, and a broad flat bill.
#include "Raycast.h"
#include "Samples.h"

namespace samplegen {

GreyImage RenderDepth26() {
    const auto scene = [](Vec3 p) {
        const float body = SdEllipsoid(p, {1.2f, 0.62f, 0.6f});
        const float tail = SdEllipsoid(RotateZ(p - Vec3{-1.05f, 0.28f, 0}, 0.5f), {0.42f, 0.16f, 0.28f});
        const float neck = SdCapsule(p, {0.7f, 0.3f, 0}, {0.95f, 0.95f, 0}, 0.24f);
        const float head = SdSphere(p - Vec3{1.0f, 1.12f, 0}, 0.4f);
        const float duck = SmoothUnion(SmoothUnion(body, tail, 0.2f), SmoothUnion(neck, head, 0.15f), 0.2f);
        const float bill = SdEllipsoid(RotateZ(p - Vec3{1.5f, 1.0f, 0}, 0.15f), {0.42f, 0.09f, 0.17f});
        const float wing = SdEllipsoid(RotateZ(p - Vec3{-0.15f, 0.12f, 0.42f}, 0.12f), {0.75f, 0.3f, 0.14f});
        const float eye = SdSphere(p - Vec3{1.15f, 1.22f, 0.33f}, 0.07f);
        return Union(SmoothUnion(duck, bill, 0.05f), Union(SmoothUnion(duck, wing, 0.08f), eye));
    };
    OrthoView view;
    view.centreX = 0.2f;
    view.centreY = 0.42f;
    view.scale = 4.1f / 500.0f;
    view.zTop = 0.8f;
    view.zBottom = -0.7f;
    return RenderNearness(500, 350, scene, view);
}

}  // namespace samplegen
