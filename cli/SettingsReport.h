// The generator's settings as key=value lines, for --print-settings.
#pragma once

#include <string>

#include "Stereogram.h"

namespace cli {

// Keys: type, blur, dot-color, dot-intensity, oversampling, observ-distance, max-depth,
// min-depth, dpi, width, height, separation; names and numbers as the options take them.
// Separation is derived: it is brought up to date first, as a run would.
std::string SettingsReport(TStereogram& Stereogram);

}  // namespace cli
