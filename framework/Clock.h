// The time of day in coordinated universal time, replaceable so that tests can fix it.
#pragma once

#include <functional>

struct TTimeOfDay {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
    int Millisecond = 0;
};

using TTimeOfDaySource = std::function<TTimeOfDay()>;

TTimeOfDay UtcTimeOfDay();

// The time of day as milliseconds since midnight, ((h × 60 + m) × 60 + s) × 1000 + ms:
// the seed of a run that has no fixed one.
unsigned MillisecondsSinceMidnight();

// Replaces the clock; an empty source restores the system clock.
void SetTimeOfDaySource(TTimeOfDaySource Source);
