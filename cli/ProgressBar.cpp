#include "ProgressBar.h"

#include <algorithm>
#include <string>

namespace cli {

void ProgressBar::Show(int Percent) {
    Percent = std::clamp(Percent, 0, 100);
    if (Percent == FShown) return;
    FShown = Percent;
    constexpr int BarWidth = 40;
    const int Filled = Percent * BarWidth / 100;
    const std::string Bar = std::string(std::size_t(Filled), '#') + std::string(std::size_t(BarWidth - Filled), '.');
    std::fprintf(FStream, "\r[%s] %3d%%%s", Bar.c_str(), Percent, Percent == 100 ? "\n" : "");
    std::fflush(FStream);
}

}  // namespace cli
