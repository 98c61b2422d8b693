#include "ApplySettings.h"

#include "DepthMapTools.h"
#include "PaperSizes.h"
#include "SettingWarnings.h"
#include "StartSettings.h"

namespace cli {
void ApplySetting(TStereogram& Stereogram, const TLoadedSetting& Loaded) {
    const SettingValue& V = Loaded.Action->Value;
    switch (Loaded.Action->Target) {
        case Setting::DepthMap: Stereogram.SetDepthMap(*Loaded.Picture); break;
        case Setting::MaskMap: Stereogram.SetMaskMap(*Loaded.Picture); break;
        case Setting::StereoType: Stereogram.SetStereoType(std::get<TStereoGramType>(V)); break;
        case Setting::Blur: Stereogram.SetBlur(std::get<TBlurType>(V)); break;
        case Setting::DotColor: Stereogram.SetRandomDotColor(std::get<TRandomDotColorType>(V)); break;
        case Setting::DotIntensity: Stereogram.SetDotIntensity(std::get<int>(V)); break;
        case Setting::Oversampling: Stereogram.SetOversampling(std::get<int>(V)); break;
        case Setting::ObservDistance: Stereogram.SetObservDistance(std::get<double>(V)); break;
        case Setting::MaxDepth: Stereogram.SetMax3Ddepth(std::get<double>(V)); break;
        case Setting::MinDepth: Stereogram.SetMin3Ddepth(std::get<double>(V)); break;
        case Setting::DPI: Stereogram.SetDPI(std::get<int>(V)); break;
        case Setting::Width: Stereogram.SetWidth(std::get<int>(V)); break;
        case Setting::Height: Stereogram.SetHeight(std::get<int>(V)); break;
        case Setting::Separation: Stereogram.SetSeparation(std::get<int>(V)); break;
        case Setting::Large: Stereogram.SetSizeLimit(slLarge); break;
        case Setting::Paper: SetPaper(Stereogram, std::get<TPaper>(V)); break;
        case Setting::Landscape: SetLandscape(Stereogram); break;
        case Setting::GuideDots: Stereogram.SetGuideDots(true); break;
        case Setting::CrossEyed: Stereogram.SetCrossEyed(true); break;
        case Setting::Threads: Stereogram.SetThreads(std::get<int>(V)); break;
        case Setting::Font:
        case Setting::TextProfile:
        case Setting::Camera:
        case Setting::Rotation: break;  // read with the depth map they shape
        case Setting::InvertDepth:
        case Setting::Fit: break;  // steer the reading and the run, not the generator
    }
}

TSetUp SetUpGenerator(TStereogram& Stereogram, std::span<const TLoadedSetting> Settings, bool Fit) {
    TSetUp Result;
    ApplyStartSettings(Stereogram);
    for (const TLoadedSetting& Loaded : Settings) {
        const TSettingsBefore Before(Stereogram);
        ApplySetting(Stereogram, Loaded);
        for (std::string& Warning : SettingWarnings(*Loaded.Action, Before, Stereogram)) Result.Warnings.push_back(std::move(Warning));
        if (Loaded.Action->Target == Setting::DepthMap) Result.Origins.Depth = std::get<TPictureSource>(Loaded.Action->Value);
        if (Loaded.Action->Target == Setting::MaskMap) Result.Origins.Mask = std::get<TPictureSource>(Loaded.Action->Value);
    }
    for (std::string& Warning : RunSettingWarnings(Stereogram)) Result.Warnings.push_back(std::move(Warning));
    if (Fit && !Stereogram.DepthMap().Bitmap().Empty()) {
        // The fitted map has the output's size, so setting it changes no other setting.
        TPicture Fitted;
        Fitted.SetGraphic(std::make_unique<TBitmap>(FitDepth(Stereogram.DepthMap().Bitmap(), Stereogram.Width(), Stereogram.Height())));
        Stereogram.SetDepthMap(Fitted);
    }
    return Result;
}

}  // namespace cli
