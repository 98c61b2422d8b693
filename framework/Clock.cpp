#include "Clock.h"

#include <chrono>

namespace {

TTimeOfDaySource& Source() {
    static TTimeOfDaySource TheSource;
    return TheSource;
}

TTimeOfDay SystemUtcTimeOfDay() {
    using namespace std::chrono;
    const auto Now = system_clock::now();
    const auto SinceMidnight = duration_cast<milliseconds>(Now - floor<days>(Now)).count();
    TTimeOfDay T;
    T.Millisecond = static_cast<int>(SinceMidnight % 1000);
    T.Second = static_cast<int>(SinceMidnight / 1000 % 60);
    T.Minute = static_cast<int>(SinceMidnight / 60000 % 60);
    T.Hour = static_cast<int>(SinceMidnight / 3600000);
    return T;
}

}  // namespace

TTimeOfDay UtcTimeOfDay() { return Source() ? Source()() : SystemUtcTimeOfDay(); }

unsigned MillisecondsSinceMidnight() {
    const TTimeOfDay T = UtcTimeOfDay();
    return unsigned(((T.Hour * 60 + T.Minute) * 60 + T.Second) * 1000 + T.Millisecond);
}

void SetTimeOfDaySource(TTimeOfDaySource NewSource) { Source() = std::move(NewSource); }
