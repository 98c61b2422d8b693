#include "ApplySettings.h"

#include <type_traits>

#include "DepthReading.h"
#include "SettingWarnings.h"
#include "StartSettings.h"

namespace cli {
namespace {

// An option's value as the settings table takes it: a name as its enumerator's number, a
// paper as its name, a flag as on.
TSettingValue TableValue(const SettingAction& Action) {
    if (SettingEntry(Action.Target).Kind == TSettingKind::Flag) return true;
    return std::visit(
        [](const auto& Value) -> TSettingValue {
            using T = std::decay_t<decltype(Value)>;
            if constexpr (std::is_enum_v<T>) return int(Value);
            else if constexpr (std::is_same_v<T, TPaper>) return std::string(Value.Name);
            else return Value;
        },
        Action.Value);
}

}  // namespace

void ApplySetting(TStereogram& Stereogram, const TLoadedSetting& Loaded) {
    const TSettingEntry& Entry = SettingEntry(Loaded.Action->Target);
    switch (Entry.Id) {
        case Setting::DepthMap: Stereogram.SetDepthMap(*Loaded.Picture); break;
        case Setting::MaskMap: Stereogram.SetMaskMap(*Loaded.Picture); break;
        default:
            // The shaping and reading settings set nothing on the generator.
            if (Entry.Apply) Entry.Apply(Stereogram, TableValue(*Loaded.Action));
    }
}

TSetUp SetUpGenerator(TStereogram& Stereogram, std::span<const TLoadedSetting> Settings, bool Fit) {
    TSetUp Result;
    ApplyStartSettings(Stereogram);
    const auto Keep = [&Result](std::vector<std::string> Warnings) {
        for (std::string& Warning : Warnings) Result.Warnings.push_back(std::move(Warning));
    };
    TPageSizing Page;
    for (const TLoadedSetting& Loaded : Settings) {
        const TSettingsBefore Before(Stereogram);
        ApplySetting(Stereogram, Loaded);
        Keep(SettingWarnings(*Loaded.Action, Before, Stereogram));
        Keep(PageOrderWarnings(*Loaded.Action, Page, Before, Stereogram));
        if (Loaded.Action->Target == Setting::Paper) Page = {Loaded.Action, Before.DPI};
        if (Loaded.Action->Target == Setting::DepthMap) Result.Origins.Depth = std::get<TPictureSource>(Loaded.Action->Value);
        if (Loaded.Action->Target == Setting::MaskMap) Result.Origins.Mask = std::get<TPictureSource>(Loaded.Action->Value);
    }
    Keep(RunSettingWarnings(Stereogram));
    // The fitted map has the output's size, so setting it changes no other setting.
    if (Fit)
        if (const std::optional<TPicture> Fitted = FittedDepth(Stereogram)) Stereogram.SetDepthMap(*Fitted);
    return Result;
}

}  // namespace cli
