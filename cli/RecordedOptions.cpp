#include "RecordedOptions.h"

#include "ShellWord.h"

namespace cli {

std::string RecordedOptions(const Options& Parsed, std::uint32_t Seed, const std::string& DepthFile) {
    std::string Text;
    const auto Add = [&Text](const std::string& Option, const std::string& Value) {
        Text += Value.empty() ? Option + " " : Option + " " + ShellWord(Value) + " ";
    };
    if (!DepthFile.empty())
        Add("--depth", PictureSourceText({TPictureSource::TKind::File, 0, DepthFile}, TPictureRole::DepthMap));
    for (const SettingAction& Action : Parsed.Settings) Add(Action.Option, Action.Argument);
    if (Parsed.InvertDepth) Text += "--invert-depth ";
    if (Parsed.FitDepth) Text += "--fit ";
    return Text + "--seed " + std::to_string(Seed);
}

}  // namespace cli
