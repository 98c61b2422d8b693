#include "Batch.h"

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

namespace cli {

int RenderAll(const TRenderer& Renderer, std::span<const TJob> Jobs, int Threads, TConsole& Console) {
    if (Jobs.size() == 1) return Renderer.Render(Jobs.front(), true) ? 0 : 1;
    const int Total = int(Jobs.size());
    std::atomic<int> Next = 0, Done = 0, Failed = 0;
    const auto Work = [&] {
        for (int Job = Next++; Job < Total; Job = Next++) {
            if (!Renderer.Render(Jobs[std::size_t(Job)], false)) ++Failed;
            Console.FilesDone(++Done, Total);
        }
    };
    Console.FilesDone(0, Total);
    {
        std::vector<std::jthread> Workers;
        for (int I = 1; I < std::clamp(Threads, 1, Total); ++I) Workers.emplace_back(Work);
        Work();
    }
    return Failed;
}

}  // namespace cli
