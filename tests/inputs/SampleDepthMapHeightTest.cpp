#include <gtest/gtest.h>

#include "SampleLoaders.h"
#include "Stereogram.h"

TEST(SampleDepthMapHeight, TallDepthMapsRaiseTheGeneratorsHeight) {
    for (const auto& [Name, Expected] : {std::pair{"Bei2", 600}, {"Bei21", 600}, {"Bei23", 630}, {"Bei28", 680}}) {
        TPicture P;
        LoadSampleDepthMap(P, Name);
        TStereogram S(nullptr);
        S.SetDepthMap(P);
        EXPECT_EQ(S.Height(), Expected) << Name;
    }
}
