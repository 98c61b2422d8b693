#include "GeneratorCopy.h"

#include <limits>

void CopyGeneratorSettings(const TStereogram& From, TStereogram& To) {
    // With the large limit and a kind that does not follow the depth map, the sides take
    // any value, so they can first make room for the DPI, which the sides limit.
    To.SetSizeLimit(slLarge);
    To.SetStereoType(sgtTextured);
    To.SetWidth(TStereogram::LargeMaxSide);
    To.SetHeight(TStereogram::LargeMaxSide);
    To.SetDPI(From.DPI());
    // A DPI below the setter's minimum only arises from halving a side narrower than it.
    if (To.DPI() != From.DPI()) {
        To.SetWidth(2 * From.DPI() + 1);
        To.SetDPI(std::numeric_limits<int>::max());
    }
    To.SetObservDistance(From.ObservDistance());
    To.SetMax3Ddepth(From.Max3Ddepth());
    To.SetMin3Ddepth(From.Min3Ddepth());
    To.SetMaskMap(From.MaskMap());
    To.SetDepthMap(From.DepthMap());
    To.SetStereoType(From.StereoType());
    To.SetSizeLimit(From.SizeLimit());
    To.SetWidth(From.Width());
    To.SetHeight(From.Height());
    To.SetOversampling(From.Oversampling());
    To.SetBlur(From.Blur());
    To.SetRandomDotColor(From.RandomDotColor());
    To.SetDotIntensity(From.DotIntensity());
    To.SetGuideDots(From.GuideDots());
    To.SetCrossEyed(From.CrossEyed());
    To.SetThreads(From.Threads());
    To.SetFixedSeed(From.FixedSeed());
}
