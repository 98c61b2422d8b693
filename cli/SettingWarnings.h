// Warnings about values the generator's setters kept otherwise than asked (clamped,
// ignored, followed from the depth map) and about settings a run draws but cannot show.
// Each compares what the setter kept with what was asked, so that a changed limit in the
// generator needs no change here.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "Options.h"
#include "Stereogram.h"

namespace cli {

// The settings a setter may change besides its own.
struct TSettingsBefore {
    double Max3Ddepth = 0;
    double Min3Ddepth = 0;
    int Width = 0, Height = 0;
    int DPI = 0;

    explicit TSettingsBefore(const TStereogram& S)
        : Max3Ddepth(S.Max3Ddepth()), Min3Ddepth(S.Min3Ddepth()), Width(S.Width()), Height(S.Height()), DPI(S.DPI()) {}
};

// The last --paper, and the resolution it sized the page at.
struct TPageSizing {
    const SettingAction* Paper = nullptr;
    int DPI = 0;
};

// The warnings for Action, just applied to After; Before as it was before.
std::vector<std::string> SettingWarnings(const SettingAction& Action, const TSettingsBefore& Before, const TStereogram& After);

// Warnings about options whose order leaves them nothing to change: a --dpi after the
// --paper of Page (the page keeps its size), a --landscape with no --paper before it that
// turns nothing.
std::vector<std::string> PageOrderWarnings(const SettingAction& Action, const TPageSizing& Page, const TSettingsBefore& Before,
                                           const TStereogram& After);

// Warnings about the settings as a run would use them: a near plane behind the far plane,
// a negative viewing distance.
std::vector<std::string> RunSettingWarnings(const TStereogram& S);

}  // namespace cli
