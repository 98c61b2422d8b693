// A capsule whose radius changes along its length, for necks, tails and spouts.
#pragma once

#include <algorithm>

#include "../Raycast.h"

namespace samplegen {

// Segment a–b, radius ra at a and rb at b. The distance is approximate (exact only
// when ra == rb) but close enough for sphere tracing.
inline float SdTaperedCapsule(Vec3 p, Vec3 a, Vec3 b, float ra, float rb) {
    const Vec3 pa = p - a, ba = b - a;
    const float h = std::clamp(Dot(pa, ba) / Dot(ba, ba), 0.0f, 1.0f);
    return Length(pa - ba * h) - (ra + (rb - ra) * h);
}

}  // namespace samplegen
