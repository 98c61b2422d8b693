// Every option of the command line in one table: its names, its value, its help and what
// it stores; the settings come from the settings table. The parser and --help read it; the manual page and the shell completion are
// checked against --help by the tests. A new option is one entry here, a paragraph in the
// manual page and a word in the completion.
#pragma once

#include <span>
#include <string_view>

#include "OptionValues.h"
#include "Options.h"
#include "SettingsTable.h"

namespace cli {

// The headings under which --help lists the options, in this order.
enum class OptionGroup : std::uint8_t { Pictures, DepthMaps, Settings, Output, Messages, Information };

struct OptionSpec {
    std::string_view Long;            // "--output"
    std::string_view Short = {};      // "-o", or empty
    std::string_view ValueName = {};  // "FILE"; empty for an option that takes no value
    OptionGroup Group = OptionGroup::Settings;
    std::string_view Help = {};  // lines of at most 46 characters, separated by '\n'
    // Stores the option (with Value when it takes one) in Parsed; raises UsageError.
    void (*Read)(Options& Parsed, const OptionSpec& Entry, std::string_view Value) = nullptr;
    bool EndsParse = false;  // --help and the like: what follows is not read
    // For the setting options: what they set and how their value reads.
    Setting Target = Setting::DepthMap;
    ValueKind Kind = ValueKind::Integer;
    // The setting's entry in the settings table, whose help --help prints; null for the
    // command line's own options.
    const TSettingEntry* Entry = nullptr;
};

std::span<const OptionSpec> OptionTable();
// The option called Name ("--width" or "-o"), if any.
const OptionSpec* FindOption(std::string_view Name);
// The heading of a group in --help ("Pictures").
std::string_view GroupHeading(OptionGroup Group);

}  // namespace cli
