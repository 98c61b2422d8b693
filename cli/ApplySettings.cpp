#include "ApplySettings.h"

#include "PictureSources.h"

namespace cli {

void ApplyStartState(TStereogram& Stereogram) {
    Stereogram.SetRandomDotColor(dctBlackWhite);
    Stereogram.SetStereoType(sgtTextured);
    Stereogram.SetBlur(blurNone);
    Stereogram.SetDotIntensity(50);
    Stereogram.SetOversampling(4);
    Stereogram.SetObservDistance(14.0);
    Stereogram.SetMax3Ddepth(14.0);
    Stereogram.SetMin3Ddepth(8.0);
    Stereogram.SetDPI(72);
    Stereogram.SetHeight(500);
    Stereogram.SetWidth(800);
    const PictureSource FirstSample{PictureSource::Kind::Sample, 1, {}};
    Stereogram.SetDepthMap(LoadPictureSource(FirstSample, PictureRole::DepthMap));
    Stereogram.SetMaskMap(LoadPictureSource(FirstSample, PictureRole::Texture));
}

void ApplySetting(TStereogram& Stereogram, const SettingAction& Action) {
    const SettingValue& V = Action.Value;
    switch (Action.Target) {
        case Setting::DepthMap:
            Stereogram.SetDepthMap(LoadPictureSource(std::get<PictureSource>(V), PictureRole::DepthMap));
            break;
        case Setting::MaskMap:
            Stereogram.SetMaskMap(LoadPictureSource(std::get<PictureSource>(V), PictureRole::Texture));
            break;
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
    }
}

}  // namespace cli
