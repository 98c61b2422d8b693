// Settings reach the generator only through its own setters, so that every clamp and side
// effect applies exactly as when the window's stored layout is read.
#pragma once

#include "Options.h"
#include "Stereogram.h"

namespace cli {

// Raises Exception when a picture file cannot be read.
void ApplySetting(TStereogram& Stereogram, const SettingAction& Action);

}  // namespace cli
