// Conversions from extended precision to integers that never leave the integer's range:
// Trunc cuts toward zero, Round goes to the nearest integer with halves to the even one.
// NaN gives 0; values beyond the range give its nearest end.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace ExtendedMath {

inline std::int32_t Saturate(long double V) {
    if (std::isnan(V)) return 0;
    if (V >= static_cast<long double>(std::numeric_limits<std::int32_t>::max())) return std::numeric_limits<std::int32_t>::max();
    if (V <= static_cast<long double>(std::numeric_limits<std::int32_t>::min())) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(V);
}

inline std::int32_t Saturate(std::int64_t V) {
    if (V > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (V < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(V);
}

inline std::int32_t Trunc(long double V) { return Saturate(std::trunc(V)); }

// Relies on the default rounding mode, round to nearest even.
inline std::int32_t Round(long double V) { return Saturate(std::nearbyint(V)); }

// A divisor that gives a finite quotient: not 0, not infinite, not NaN.
inline bool UsableDivisor(long double V) { return V != 0 && std::isfinite(V); }

}  // namespace ExtendedMath
