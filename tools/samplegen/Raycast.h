// Small 3D toolkit for the depth maps: vectors, signed distance functions, and an
// orthographic ray caster that turns a scene into a nearness picture.
#pragma once

#include <algorithm>
#include <cmath>
#include <functional>

#include "Image.h"

namespace samplegen {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline float Length(Vec3 a) { return std::sqrt(Dot(a, a)); }
inline Vec3 Abs(Vec3 a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}; }
inline Vec3 Max(Vec3 a, float m) { return {std::max(a.x, m), std::max(a.y, m), std::max(a.z, m)}; }

// Rotations about the coordinate axes (angles in radians, right-handed).
inline Vec3 RotateX(Vec3 p, float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {p.x, c * p.y - s * p.z, s * p.y + c * p.z};
}
inline Vec3 RotateY(Vec3 p, float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {c * p.x + s * p.z, p.y, -s * p.x + c * p.z};
}
inline Vec3 RotateZ(Vec3 p, float a) {
    const float c = std::cos(a), s = std::sin(a);
    return {c * p.x - s * p.y, s * p.x + c * p.y, p.z};
}

// Signed distance functions; each is centred at the origin, callers move the point.
inline float SdSphere(Vec3 p, float r) { return Length(p) - r; }

inline float SdBox(Vec3 p, Vec3 half) {
    const Vec3 q = Abs(p) - half;
    return Length(Max(q, 0.0f)) + std::min(std::max(q.x, std::max(q.y, q.z)), 0.0f);
}

inline float SdRoundBox(Vec3 p, Vec3 half, float r) { return SdBox(p, half - Vec3{r, r, r}) - r; }

// Ellipsoid (approximate distance, good enough for sphere tracing with a safety factor).
inline float SdEllipsoid(Vec3 p, Vec3 radii) {
    const float k0 = Length({p.x / radii.x, p.y / radii.y, p.z / radii.z});
    const float k1 = Length({p.x / (radii.x * radii.x), p.y / (radii.y * radii.y), p.z / (radii.z * radii.z)});
    return k1 > 0 ? k0 * (k0 - 1.0f) / k1 : -std::min(radii.x, std::min(radii.y, radii.z));
}

// Torus in the x-y plane (the picture plane): ring radius R, tube radius r.
inline float SdTorus(Vec3 p, float R, float r) {
    const float q = std::sqrt(p.x * p.x + p.y * p.y) - R;
    return std::sqrt(q * q + p.z * p.z) - r;
}

// Capsule between points a and b with radius r.
inline float SdCapsule(Vec3 p, Vec3 a, Vec3 b, float r) {
    const Vec3 pa = p - a, ba = b - a;
    const float h = std::clamp(Dot(pa, ba) / Dot(ba, ba), 0.0f, 1.0f);
    return Length(pa - ba * h) - r;
}

// Capped cylinder along the y axis: radius r, half height h.
inline float SdCylinderY(Vec3 p, float r, float h) {
    const float dx = std::sqrt(p.x * p.x + p.z * p.z) - r;
    const float dy = std::fabs(p.y) - h;
    return std::min(std::max(dx, dy), 0.0f) + std::sqrt(std::max(dx, 0.0f) * std::max(dx, 0.0f) + std::max(dy, 0.0f) * std::max(dy, 0.0f));
}

// Capped cylinder along the z axis (pointing at the viewer): radius r, half height h.
inline float SdCylinderZ(Vec3 p, float r, float h) { return SdCylinderY({p.x, p.z, p.y}, r, h); }

// Boolean operations; the smooth union blends over a width of k.
inline float Union(float a, float b) { return std::min(a, b); }
inline float Intersect(float a, float b) { return std::max(a, b); }
inline float Subtract(float a, float b) { return std::max(a, -b); }
inline float SmoothUnion(float a, float b, float k) {
    const float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
    return b * (1.0f - h) + a * h - k * h * (1.0f - h);
}

using Sdf = std::function<float(Vec3)>;

// The orthographic view: picture pixel (px, py) looks down the z axis at world point
// (centreX + (px - width/2) * scale, centreY - (py - height/2) * scale, z); +y is up in
// the world and +z points at the viewer. Rays start at zTop and stop at zBottom.
struct OrthoView {
    float centreX = 0, centreY = 0;
    float scale = 0.01f;  // world units per pixel
    float zTop = 2.0f, zBottom = -2.0f;
};

// Grey levels a visible surface is mapped to: its farthest visible point gets `farLevel`,
// its nearest `nearLevel`; everything the rays miss stays black.
struct NearnessRange {
    float farLevel = 48.0f;
    float nearLevel = 250.0f;
};

// Sphere-traces every pixel (with `samples` × `samples` rays per pixel, averaged, for
// clean silhouettes) and returns the hit heights mapped to grey levels.
GreyImage RenderNearness(int width, int height, const Sdf& scene, const OrthoView& view,
                         NearnessRange range = {}, int samples = 2);

// Gaussian blur with standard deviation sigma (pixels), edges clamped.
GreyImage Blur(const GreyImage& image, float sigma);

// Fills each pixel with f(x, y), x and y being the pixel centre in pixel units.
GreyImage Fill(int width, int height, const std::function<float(float x, float y)>& f);

}  // namespace samplegen
