// The generator's settings as key=value lines, for --print-settings.
#pragma once

#include <string>

#include "Stereogram.h"

namespace cli {

// One line for every setting of the settings table that the generator holds and that shapes
// the picture, keyed by its option without the dashes, its value as the option takes it
// (a flag is on or off). Separation is derived: it is brought up to date first, as a run would.
std::string SettingsReport(TStereogram& Stereogram);

}  // namespace cli
