// Settings reach the generator only through its own setters, so that every clamp and side
// effect applies exactly as when the window's stored layout is read.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "Options.h"
#include "Picture.h"
#include "Refusals.h"
#include "Stereogram.h"

namespace cli {

// A setting with the picture it sets (for --depth and --mask), read beforehand.
struct TLoadedSetting {
    const SettingAction* Action;
    const TPicture* Picture;
};

// Applies one setting; a picture setting sets its Picture.
void ApplySetting(TStereogram& Stereogram, const TLoadedSetting& Setting);

struct TSetUp {
    TPictureOrigins Origins;
    std::vector<std::string> Warnings;  // English, without the program's prefix
};

// The generator as the window starts, then each setting in order, each warned about where
// its setter kept another value than asked; then, with Fit, the depth map scaled to the
// final size.
TSetUp SetUpGenerator(TStereogram& Stereogram, std::span<const TLoadedSetting> Settings, bool Fit);

}  // namespace cli
