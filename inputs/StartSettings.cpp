#include "StartSettings.h"

#include "SampleLibrary.h"
#include "SampleLoaders.h"

void ApplyStoredLayout(TStereogram& Stereogram) {
    Stereogram.SetStereoType(sgtTextured);
    Stereogram.SetBlur(blurNone);
    Stereogram.SetRandomDotColor(dctBlackWhite);
    Stereogram.SetOversampling(4);
    Stereogram.SetObservDistance(14.0);
    Stereogram.SetMax3Ddepth(14.0);
    Stereogram.SetMin3Ddepth(7.0);
}

void ApplyKindDefaults(TStereogram& Stereogram) {
    Stereogram.SetBlur(blurNone);
    Stereogram.SetDotIntensity(50);
    Stereogram.SetOversampling(4);
    Stereogram.SetObservDistance(14.0);
    Stereogram.SetMax3Ddepth(14.0);
    Stereogram.SetMin3Ddepth(8.0);
    Stereogram.SetDPI(72);
    Stereogram.SetHeight(500);
    Stereogram.SetWidth(800);
}

namespace {

// The start's pictures, decoded once: every frame of an animation sets a generator up from
// the start, and decoding the two JPEG pictures each time cost more than copying them.
struct TStartPictures {
    TPicture DepthMap, Texture;

    TStartPictures() {
        LoadSampleDepthMap(DepthMap, SampleResourceName(TPictureRole::DepthMap, StartDepthSample));
        LoadSampleMask(Texture, SampleResourceName(TPictureRole::Texture, StartTextureSample));
    }
};

}  // namespace

void ApplyStartSettings(TStereogram& Stereogram) {
    static const TStartPictures Start;
    ApplyStoredLayout(Stereogram);
    Stereogram.SetRandomDotColor(dctBlackWhite);
    ApplyKindDefaults(Stereogram);
    Stereogram.SetDepthMap(Start.DepthMap);
    Stereogram.SetMaskMap(Start.Texture);
}
