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

std::string WindowRecordOptions(const TStereogram& Stereogram, const TPictureSource& DepthMap,
                                const TPictureSource& MaskMap, std::uint32_t Seed) {
    std::string Text;
    const auto Option = [&Text](std::string_view Name, std::string_view Value) {
        Text.append(Name).append(" ").append(ShellWord(Value)).append(" ");
    };
    Option("--depth", PictureSourceText(DepthMap, TPictureRole::DepthMap));
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
    return Text + "--seed " + std::to_string(Seed);
}
