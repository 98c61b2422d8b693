#include "SampleLibrary.h"

#include <algorithm>

std::span<const resources::SampleInfo> Samples(TPictureRole Role) {
    return Role == TPictureRole::DepthMap ? resources::DepthMapSamples() : resources::TextureSamples();
}

int SampleCount(TPictureRole Role) { return int(Samples(Role).size()); }

bool IsSampleNumber(TPictureRole Role, int Number) {
    return std::ranges::any_of(Samples(Role), [&](const resources::SampleInfo& S) { return S.Number == Number; });
}

std::string SampleResourceName(TPictureRole Role, int Number) {
    return (Role == TPictureRole::DepthMap ? "Bei" : "Bild") + std::to_string(Number);
}
