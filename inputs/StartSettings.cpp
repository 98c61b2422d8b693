#include "StartSettings.h"

#include "SampleLibrary.h"
#include "SampleLoaders.h"

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
    Stereogram.SetRandomDotColor(dctBlackWhite);
    Stereogram.SetStereoType(sgtTextured);
    ApplyKindDefaults(Stereogram);
    TPicture Picture;
    LoadSampleDepthMap(Picture, SampleResourceName(TPictureRole::DepthMap, 1));
    Stereogram.SetDepthMap(Picture);
    LoadSampleMask(Picture, SampleResourceName(TPictureRole::Texture, 1));
    Stereogram.SetMaskMap(Picture);
}
