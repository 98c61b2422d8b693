#include "RecordedGeometry.h"

#include <memory>

#include "ApplySettings.h"
#include "ShellWord.h"

namespace cli {

TRecordedGeometry RecordedGeometry(const TPngTextChunks& Text, int Width, int Height) {
    const auto Chunk = std::ranges::find(Text, std::string("Options"), &TPngTextChunks::value_type::first);
    if (Chunk == Text.end()) return {};
    const std::optional<std::vector<std::string>> Words = SplitShellWords(Chunk->second);
    if (!Words) return {std::nullopt, "its recorded options end inside a quote"};
    Options Recorded;
    try {
        Recorded = ParseOptions(*Words);
    } catch (const UsageError& E) {
        return {std::nullopt, std::string("its recorded options do not read: ") + E.what()};
    }
    // The depth map sets the size (coloured dots follow it); a black one of the picture's
    // size gives the sizes the run had without reading files that may be gone.
    TPicture Placeholder, Nothing;
    Placeholder.SetGraphic(std::make_unique<TBitmap>(Width, Height, pf24bit));
    std::vector<TLoadedSetting> Settings;
    for (const SettingAction& Action : Recorded.Settings)
        Settings.push_back({&Action, Action.Target == Setting::DepthMap ? &Placeholder : &Nothing});
    TStereogram Generator(nullptr);
    SetUpGenerator(Generator, Settings, false);
    return {TRevealGeometry{Generator.SeparationTable(), Generator.Oversampling(), Generator.CrossEyed()}, {}};
}

}  // namespace cli
