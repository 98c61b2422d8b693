// A shark seen from the side, swimming right: a tapered body with eye and gill slits, a
// tall dorsal fin and a small second one, near-side pectoral fin, pelvic fin, forked tail.
#include <array>

#include "Raycast.h"
#include "Samples.h"
#include "depth/Profiles.h"

namespace samplegen {
namespace {

constexpr std::array<Point2, 4> kDorsal{{{0.3f, 0.28f}, {-0.5f, 0.28f}, {-0.52f, 1.0f}, {-0.3f, 0.8f}}};
constexpr std::array<Point2, 5> kTail{{{-2.15f, 0.16f}, {-2.75f, 0.95f}, {-2.55f, 0.06f}, {-2.72f, -0.55f}, {-2.15f, -0.1f}}};
constexpr std::array<Point2, 4> kPectoral{{{0.75f, -0.15f}, {0.3f, -0.15f}, {-0.2f, -0.85f}, {0.35f, -0.5f}}};
constexpr std::array<Point2, 3> kPelvic{{{-1.0f, -0.2f}, {-1.4f, -0.15f}, {-1.45f, -0.45f}}};
constexpr std::array<Point2, 3> kSecondDorsal{{{-1.5f, 0.14f}, {-1.8f, 0.12f}, {-1.82f, 0.38f}}};

constexpr int kGillSlits = 5;

// Thin cuts in the near flank behind the head.
float GillSlits(Vec3 p) {
    float d = 1e9f;
    for (int i = 0; i < kGillSlits; ++i)
        d = Union(d, SdBox(p - Vec3{0.62f + 0.08f * float(i), -0.02f, 0.38f}, {0.012f, 0.14f, 0.1f}));
    return d;
}

float Fin(Vec3 p, std::span<const Point2> outline, float z, float halfThickness) {
    return Extrude(SdPolygon({p.x, p.y}, outline), p.z - z, halfThickness, 0.03f);
}

}  // namespace

GreyImage RenderDepth25() {
    const auto scene = [](Vec3 p) {
        const float trunk = SdEllipsoid(p - Vec3{-0.1f, 0, 0}, {1.5f, 0.42f, 0.36f});
        const float head = SdEllipsoid(p - Vec3{1.05f, 0.02f, 0}, {1.0f, 0.33f, 0.3f});
        const float tailStock = SdEllipsoid(p - Vec3{-1.55f, 0.04f, 0}, {0.85f, 0.15f, 0.12f});
        const float eye = SdSphere(p - Vec3{1.55f, 0.09f, 0.27f}, 0.06f);
        const float hull = SmoothUnion(SmoothUnion(trunk, head, 0.25f), tailStock, 0.25f);
        const float body = Subtract(Subtract(hull, GillSlits(p)), eye);
        const float fins = Union(Union(Fin(p, kDorsal, 0, 0.05f), Fin(p, kTail, 0, 0.05f)),
                                 Union(Fin(p, kSecondDorsal, 0, 0.03f), Fin(p, kPelvic, 0.08f, 0.03f)));
        const float pectoral = Fin(p, kPectoral, 0.22f, 0.035f);
        return SmoothUnion(body, Union(fins, pectoral), 0.05f);
    };
    OrthoView view;
    view.centreX = -0.35f;
    view.centreY = 0.08f;
    view.scale = 5.6f / 600.0f;
    view.zTop = 0.6f;
    view.zBottom = -0.5f;
    return RenderNearness(600, 299, scene, view);
}

}  // namespace samplegen
