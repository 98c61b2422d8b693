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

void ApplyStartSettings(TStereogram& Stereogram) {
    ApplyStoredLayout(Stereogram);
    Stereogram.SetRandomDotColor(dctBlackWhite);
    ApplyKindDefaults(Stereogram);
    TPicture Picture;
    LoadSampleDepthMap(Picture, SampleResourceName(TPictureRole::DepthMap, StartDepthSample));
    Stereogram.SetDepthMap(Picture);
    LoadSampleMask(Picture, SampleResourceName(TPictureRole::Texture, StartTextureSample));
    Stereogram.SetMaskMap(Picture);
}
