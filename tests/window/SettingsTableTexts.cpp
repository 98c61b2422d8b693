// Prints the settings table's texts that the window shows (its labels and the words of its
// choices) as translation markers of the panel, so that lupdate finds them beside the
// window's own texts.
#include <iostream>
#include <string_view>

#include "SettingsTable.h"

namespace {
void Mark(std::string_view Text) {
    if (!Text.empty()) std::cout << "QT_TRANSLATE_NOOP(\"SettingsPanel\", \"" << Text << "\")\n";
}
}  // namespace

int main() {
    for (const TSettingEntry& Entry : SettingsTable()) {
        Mark(Entry.Label);
        for (const TChoiceName& Choice : Entry.Choices) Mark(Choice.Label);
    }
}
