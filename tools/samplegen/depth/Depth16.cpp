// A steam locomotive seen from the side, facing right: boiler with smokebox, chimney and
// dome, a cab at the back, three coupled driving wheels and a cow-catcher at the front.
#include <array>
#include <cmath>
#include <numbers>

#include "Raycast.h"
#include "Samples.h"
#include "depth/Profiles.h"

namespace samplegen {
namespace {

constexpr float kWheelRadius = 0.42f;
constexpr float kWheelY = -0.58f;
constexpr float kWheelZ = 0.5f;  // the near-side wheels sit this far in front of the centre line
constexpr std::array<float, 3> kWheelX{-0.95f, 0.05f, 1.05f};

constexpr float kRimWidth = 0.08f;
constexpr int kSpokes = 10;
constexpr float kWheelDrumHalfDepth = 0.2f;  // holds rim, spokes and hub
constexpr float kBoundMargin = 0.05f;

// The spokes of a wheel centred at the origin: one thin bar, repeated around the hub.
float Spokes(Vec3 q) {
    const float sector = 2 * std::numbers::pi_v<float> / kSpokes;
    const float nearest = std::round(std::atan2(q.y, q.x) / sector) * sector;
    const Vec3 along = RotateZ(q, -nearest);
    return SdBox(along - Vec3{kWheelRadius / 2, 0, 0}, {kWheelRadius / 2, 0.03f, 0.05f});
}

// A cylinder lying along the x axis.
float SdCylinderX(Vec3 p, float r, float halfLength) { return SdCylinderY({p.y, p.x, p.z}, r, halfLength); }

float Boiler(Vec3 p) {
    const float barrel = SdCylinderX(p - Vec3{0.55f, 0.15f, 0}, 0.55f, 1.25f);
    const float smokebox = SdCylinderX(p - Vec3{1.95f, 0.15f, 0}, 0.6f, 0.18f) - 0.02f;
    const float chimney = SdCylinderY(p - Vec3{1.7f, 0.9f, 0}, 0.15f, 0.3f);
    const float chimneyLip = SdCylinderY(p - Vec3{1.7f, 1.2f, 0}, 0.22f, 0.07f) - 0.02f;
    const float dome = SdEllipsoid(p - Vec3{0.6f, 0.68f, 0}, {0.28f, 0.22f, 0.28f});
    return Union(Union(barrel, smokebox), Union(Union(chimney, chimneyLip), dome));
}

float Cab(Vec3 p) {
    const float body = SdBox(p - Vec3{-1.15f, 0.45f, 0}, {0.5f, 0.75f, 0.55f});
    const float window = SdBox(p - Vec3{-1.1f, 0.75f, 0.55f}, {0.25f, 0.22f, 0.12f});
    const float roof = SdRoundBox(p - Vec3{-1.15f, 1.25f, 0}, {0.62f, 0.06f, 0.6f}, 0.03f);
    return Union(Subtract(body, window), roof);
}

float Running(Vec3 p) {
    const float frame = SdBox(p - Vec3{0.45f, -0.35f, 0}, {2.0f, 0.14f, 0.48f});
    float wheels = 1e9f;
    for (const float x : kWheelX) {
        const Vec3 q = p - Vec3{x, kWheelY, kWheelZ};
        // Far from a wheel its bounding drum is distance enough; the spokes are costly.
        const float drum = SdCylinderZ(q, kWheelRadius, kWheelDrumHalfDepth);
        if (drum > kBoundMargin) {
            wheels = Union(wheels, drum);
            continue;
        }
        const float rim = Subtract(SdCylinderZ(q, kWheelRadius, 0.07f), SdCylinderZ(q, kWheelRadius - kRimWidth, 1.0f));
        const float hub = SdSphere(q - Vec3{0, 0, 0.05f}, 0.12f);
        wheels = Union(wheels, Union(Union(rim, Spokes(q)), hub));
    }
    const float rod = SdRoundBox(p - Vec3{0.05f, kWheelY - 0.16f, kWheelZ + 0.14f}, {1.1f, 0.05f, 0.04f}, 0.02f);
    static constexpr std::array<Point2, 3> kCatcher{{{2.1f, -0.22f}, {2.1f, -1.0f}, {2.75f, -1.0f}}};
    const float catcher = Extrude(SdPolygon({p.x, p.y}, kCatcher), p.z, 0.45f, 0.04f);
    return Union(Union(frame, wheels), Union(rod, catcher));
}

}  // namespace

GreyImage RenderDepth16() {
    const auto scene = [](Vec3 p) { return Union(Boiler(p), Union(Cab(p), Running(p))); };
    OrthoView view;
    view.centreX = 0.45f;
    view.centreY = 0.1f;
    view.scale = 5.1f / 550.0f;
    view.zTop = 0.8f;
    view.zBottom = -0.7f;
    return RenderNearness(550, 360, scene, view);
}

}  // namespace samplegen
