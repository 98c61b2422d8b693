#include "SettingsReport.h"

#include "NumberText.h"
#include "OptionNames.h"

namespace cli {

std::string SettingsReport(TStereogram& Stereogram) {
    // Setting the viewing distance to itself recomputes the derived geometry, Separation included.
    Stereogram.SetObservDistance(Stereogram.ObservDistance());
    std::string Report;
    const auto Line = [&Report](std::string_view Key, std::string_view Value) {
        Report.append(Key).append("=").append(Value).append("\n");
    };
    Line("type", NameOfValue<TStereoGramType>(StereoTypeNames, Stereogram.StereoType()));
    Line("blur", NameOfValue<TBlurType>(BlurNames, Stereogram.Blur()));
    Line("dot-color", NameOfValue<TRandomDotColorType>(DotColorNames, Stereogram.RandomDotColor()));
    Line("dot-intensity", std::to_string(Stereogram.DotIntensity()));
    Line("oversampling", std::to_string(Stereogram.Oversampling()));
    Line("observ-distance", NumberText(Stereogram.ObservDistance()));
    Line("max-depth", NumberText(Stereogram.Max3Ddepth()));
    Line("min-depth", NumberText(Stereogram.Min3Ddepth()));
    Line("dpi", std::to_string(Stereogram.DPI()));
    Line("width", std::to_string(Stereogram.Width()));
    Line("height", std::to_string(Stereogram.Height()));
    Line("separation", std::to_string(Stereogram.Separation()));
    Line("size-limit", Stereogram.SizeLimit() == slLarge ? "large" : "classic");
    Line("guide-dots", Stereogram.GuideDots() ? "on" : "off");
    Line("cross-eyed", Stereogram.CrossEyed() ? "on" : "off");
    return Report;
}

}  // namespace cli
