#include "WindowRecord.h"

#include <array>
#include <string_view>

#include "SettingsTable.h"
#include "ShellWord.h"

namespace {

// The generator's settings in the order that replays them: the kind before the oversampling
// it limits, Width and Height before the DPI they limit.
constexpr std::array RecordOrder{
    TSettingId::StereoType,     TSettingId::DotColor, TSettingId::Blur,     TSettingId::DotIntensity, TSettingId::Oversampling,
    TSettingId::ObservDistance, TSettingId::MaxDepth, TSettingId::MinDepth, TSettingId::Width,        TSettingId::Height,
    TSettingId::DPI,            TSettingId::GuideDots, TSettingId::CrossEyed,
};

}  // namespace

std::string WindowRecordOptions(const TStereogram& Stereogram, const TWindowDepthSource& DepthMap,
                                const TPictureSource& MaskMap, std::uint32_t Seed, const TDepthReading& Reading) {
    using TKind = TWindowDepthSource::TKind;
    std::string Text;
    const auto Option = [&Text](std::string_view Name, std::string_view Value) {
        Text.append(Name).append(" ").append(ShellWord(Value)).append(" ");
    };
    const auto Flag = [&Text](std::string_view Name, bool On) {
        if (On) Text.append(Name).append(" ");
    };
    const auto Setting = [&](TSettingId Id, const TSettingValue& Value) { Option(SettingEntry(Id).Option, SettingValueText(SettingEntry(Id), Value)); };
    Flag(SettingEntry(TSettingId::Large).Option, Stereogram.SizeLimit() == slLarge);
    // The size it was rendered at is its own: the output size may have changed since.
    if (DepthMap.Kind != TKind::Picture) {
        Option("--width", std::to_string(Stereogram.DepthMap().Width()));
        Option("--height", std::to_string(Stereogram.DepthMap().Height()));
    }
    if (DepthMap.Kind == TKind::Model) {
        const TModelView& View = DepthMap.View;
        if (View.Projection != TProjection::Orthographic) Setting(TSettingId::Camera, int(View.Projection));
        const TRotation Turn{View.RotateX, View.RotateY, View.RotateZ};
        if (Turn != TRotation{}) Setting(TSettingId::Rotation, Turn);
    }
    if (DepthMap.Kind == TKind::Text) {
        Option("--font", DepthMap.Font);
        if (DepthMap.Profile != TReliefProfile::Round) Setting(TSettingId::TextProfile, int(DepthMap.Profile));
        Option("--depth", PictureSourceText({TPictureSource::TKind::Text, 0, DepthMap.Text}, TPictureRole::DepthMap));
    } else {
        Option("--depth", PictureSourceText(DepthMap.Picture, TPictureRole::DepthMap));
    }
    Option("--mask", PictureSourceText(MaskMap, TPictureRole::Texture));
    for (const TSettingId Id : RecordOrder) {
        const TSettingEntry& Entry = SettingEntry(Id);
        const TSettingValue Value = Entry.Read(Stereogram);
        if (Entry.Kind == TSettingKind::Flag)
            Flag(Entry.Option, std::get<bool>(Value));
        else
            Option(Entry.Option, SettingValueText(Entry, Value));
    }
    Flag(SettingEntry(TSettingId::InvertDepth).Option, Reading.Invert);
    Flag(SettingEntry(TSettingId::Fit).Option, Reading.Fit);
    return Text + "--seed " + std::to_string(Seed);
}
