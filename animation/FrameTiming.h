// When each frame of an animation starts, in whole units of a format's clock (1000 for
// milliseconds, 100 for a GIF's hundredths): rounded from the exact time, so that the
// rounding errors of single frames do not add up over a long animation.
#pragma once

#include <cmath>
#include <cstdint>

inline std::int64_t FrameStart(std::int64_t Frame, double Fps, int UnitsPerSecond) {
    return std::llround(double(Frame) * UnitsPerSecond / Fps);
}

// How long Frame shows, at least one unit.
inline int FrameDuration(std::int64_t Frame, double Fps, int UnitsPerSecond) {
    const std::int64_t Duration = FrameStart(Frame + 1, Fps, UnitsPerSecond) - FrameStart(Frame, Fps, UnitsPerSecond);
    return int(Duration < 1 ? 1 : Duration);
}
