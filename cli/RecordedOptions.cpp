#include "RecordedOptions.h"

#include "AnimationRecord.h"
#include "ShellWord.h"

namespace cli {

namespace {

std::string Recorded(const Options& Parsed, std::uint32_t Seed, const std::string& DepthFile, const std::string& BeforeSeed) {
    std::string Text;
    const auto Add = [&Text](const std::string& Option, const std::string& Value) {
        Text += Value.empty() ? Option + " " : Option + " " + ShellWord(Value) + " ";
    };
    if (!DepthFile.empty())
        Add("--depth", PictureSourceText({TPictureSource::TKind::File, 0, DepthFile}, TPictureRole::DepthMap));
    for (const SettingAction& Action : Parsed.Settings) Add(Action.Option, Action.Argument);
    if (Parsed.InvertDepth) Text += "--invert-depth ";
    if (Parsed.FitDepth) Text += "--fit ";
    return Text + BeforeSeed + "--seed " + std::to_string(Seed);
}

}  // namespace

std::string RecordedOptions(const Options& Parsed, std::uint32_t Seed, const std::string& DepthFile) {
    return Recorded(Parsed, Seed, DepthFile, {});
}

std::string RecordedAnimation(const Options& Parsed, std::uint32_t Seed, const std::string& DepthFile) {
    const TSpin Spin{Parsed.Spin.X, Parsed.Spin.Y, Parsed.Spin.Z};
    std::string Animation = AnimationOptionsText(Parsed.Frames, Spin, Parsed.Fps.value_or(DefaultFramesPerSecond), Parsed.SameDots);
    if (Parsed.Animate) {
        Animation += "--animate ";
        // A FILE is any word that is no option; one that starts like an option is named from here.
        for (const std::string& File : Parsed.Files) Animation += ShellWord(File.starts_with('-') ? "./" + File : File) + " ";
    }
    return Recorded(Parsed, Seed, DepthFile, Animation);
}

}  // namespace cli
