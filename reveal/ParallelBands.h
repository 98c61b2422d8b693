// Work split into bands of consecutive items, one band per thread.
#pragma once

#include <algorithm>
#include <thread>
#include <vector>

// Calls Body(Begin, End) for Threads bands covering 0 … Count − 1; the first band on the
// calling thread. Every thread is joined before it returns, also when the first band
// raises; the bands on other threads must not raise.
template <class F>
void ForEachBand(int Count, int Threads, F&& Body) {
    Threads = std::clamp(Threads, 1, std::max(1, Count));
    if (Threads == 1) {
        Body(0, Count);
        return;
    }
    std::vector<std::jthread> Workers;
    const auto BandStart = [&](int I) { return int(std::int64_t(Count) * I / Threads); };
    for (int I = 1; I < Threads; ++I) Workers.emplace_back([&, I] { Body(BandStart(I), BandStart(I + 1)); });
    Body(0, BandStart(1));
}
