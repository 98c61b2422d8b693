#include "WindowRecord.h"

#include <charconv>
#include <string_view>

#include "OptionNames.h"
#include "ShellWord.h"

namespace {

// The shortest text that reads back as the same double.
std::string ExactText(double Value) {
    char Text[32];
    return {Text, std::to_chars(Text, Text + sizeof Text, Value).ptr};
}

}  // namespace

std::string WindowRecordOptions(const TStereogram& Stereogram, const TWindowDepthSource& DepthMap,
                                const TPictureSource& MaskMap, std::uint32_t Seed) {
    using TKind = TWindowDepthSource::TKind;
    std::string Text;
    const auto Option = [&Text](std::string_view Name, std::string_view Value) {
        Text.append(Name).append(" ").append(ShellWord(Value)).append(" ");
    };
    const auto Flag = [&Text](std::string_view Name, bool On) {
        if (On) Text.append(Name).append(" ");
    };
    Flag("--large", Stereogram.SizeLimit() == slLarge);
    // The size it was rendered at is its own: the output size may have changed since.
    if (DepthMap.Kind != TKind::Picture) {
        Option("--width", std::to_string(Stereogram.DepthMap().Width()));
        Option("--height", std::to_string(Stereogram.DepthMap().Height()));
    }
    if (DepthMap.Kind == TKind::Model) {
        const TModelView& View = DepthMap.View;
        if (View.Projection != TProjection::Orthographic)
            Option("--camera", NameOfValue<TProjection>(ProjectionNames, View.Projection));
        if (View.RotateX != 0 || View.RotateY != 0 || View.RotateZ != 0)
            Option("--rotate", ExactText(View.RotateX) + "," + ExactText(View.RotateY) + "," + ExactText(View.RotateZ));
    }
    if (DepthMap.Kind == TKind::Text) {
        Option("--font", DepthMap.Font);
        if (DepthMap.Profile != TReliefProfile::Round)
            Option("--text-profile", NameOfValue<TReliefProfile>(ReliefProfileNames, DepthMap.Profile));
        Option("--depth", PictureSourceText({TPictureSource::TKind::Text, 0, DepthMap.Text}, TPictureRole::DepthMap));
    } else {
        Option("--depth", PictureSourceText(DepthMap.Picture, TPictureRole::DepthMap));
    }
    Option("--mask", PictureSourceText(MaskMap, TPictureRole::Texture));
    Option("--type", NameOfValue<TStereoGramType>(StereoTypeNames, Stereogram.StereoType()));
    Option("--dot-color", NameOfValue<TRandomDotColorType>(DotColorNames, Stereogram.RandomDotColor()));
    Option("--blur", NameOfValue<TBlurType>(BlurNames, Stereogram.Blur()));
    Option("--dot-intensity", std::to_string(Stereogram.DotIntensity()));
    Option("--oversampling", std::to_string(Stereogram.Oversampling()));
    Option("--observ-distance", ExactText(Stereogram.ObservDistance()));
    Option("--max-depth", ExactText(Stereogram.Max3Ddepth()));
    Option("--min-depth", ExactText(Stereogram.Min3Ddepth()));
    Option("--width", std::to_string(Stereogram.Width()));
    Option("--height", std::to_string(Stereogram.Height()));
    Option("--dpi", std::to_string(Stereogram.DPI()));
    Flag("--guide-dots", Stereogram.GuideDots());
    Flag("--cross-eyed", Stereogram.CrossEyed());
    return Text + "--seed " + std::to_string(Seed);
}
