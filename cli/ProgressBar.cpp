#include "ProgressBar.h"

#include <algorithm>

namespace cli {
namespace {

constexpr int BarWidth = 40;

}  // namespace

void ProgressBar::Draw(int Filled, const std::string& Label, bool Finished) {
    FLine = "\r[" + std::string(std::size_t(Filled), '#') + std::string(std::size_t(BarWidth - Filled), '.') + "] " + Label;
    std::fputs(FLine.c_str(), FStream);
    if (Finished) std::fputc('\n', FStream);
    std::fflush(FStream);
}

void ProgressBar::Show(int Percent) {
    Percent = std::clamp(Percent, 0, 100);
    if (Percent == FShown) return;
    FShown = Percent;
    char Label[8];
    std::snprintf(Label, sizeof Label, "%3d%%", Percent);
    Draw(Percent * BarWidth / 100, Label, Percent == 100);
}

void ProgressBar::ShowCount(int Done, int Total, std::string_view Units) {
    Done = std::clamp(Done, 0, Total);
    Draw(Total > 0 ? Done * BarWidth / Total : BarWidth, std::to_string(Done) + "/" + std::to_string(Total) + " " + std::string(Units), Done == Total);
}

void ProgressBar::Redraw() const {
    std::fputs(FLine.c_str(), FStream);
    std::fflush(FStream);
}

}  // namespace cli
