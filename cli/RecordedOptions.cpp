#include "RecordedOptions.h"

#include "ShellWord.h"

namespace cli {

std::string RecordedOptions(const Options& Parsed, std::uint32_t Seed) {
    std::string Text;
    for (const SettingAction& Action : Parsed.Settings) Text += Action.Option + " " + ShellWord(Action.Argument) + " ";
    return Text + "--seed " + std::to_string(Seed);
}

}  // namespace cli
