#include "ApplySettings.h"

#include "Exception.h"
#include "PictureSource.h"

namespace cli {
namespace {

TPicture LoadSource(const TPictureSource& Source, TPictureRole Role) {
    try {
        return LoadPictureSource(Source, Role).Picture;
    } catch (const Exception& E) {
        throw Exception(Source.FileName + ": " + E.Message());
    }
}

}  // namespace

void ApplySetting(TStereogram& Stereogram, const SettingAction& Action) {
    const SettingValue& V = Action.Value;
    switch (Action.Target) {
        case Setting::DepthMap:
            Stereogram.SetDepthMap(LoadSource(std::get<TPictureSource>(V), TPictureRole::DepthMap));
            break;
        case Setting::MaskMap:
            Stereogram.SetMaskMap(LoadSource(std::get<TPictureSource>(V), TPictureRole::Texture));
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
