// The command line's words for a setting of the settings table: its help line for --help,
// with its choices, its range and its start value, all taken from the table.
#pragma once

#include <string>

#include "SettingsTable.h"

namespace cli {

// "share of black dots in percent (1 to 99; start 50)", one line.
std::string SettingHelp(const TSettingEntry& Entry);
// The range of a whole-number setting in words: "1 to 99", "at least 10; …"; empty for none.
std::string RangeText(const TSettingEntry& Entry);

}  // namespace cli
