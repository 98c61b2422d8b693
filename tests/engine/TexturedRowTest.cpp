#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "EngineTestSupport.h"
#include "Random.h"

namespace {

// The small row: 16 samples, one per pixel, period 4 (strip from 6), separation 4
// everywhere but 2 at samples 7 and 8.
class SmallTexturedRow : public ::testing::Test {
protected:
    void SetUp() override {
        S.SetStereoType(sgtTextured);
        S.FSubWidth = 16;
        S.FPatternWidth = 4;
        S.FPeriod = 4;
        S.FStripStart = 6;
        S.FPhase = 4 - 6 % 4;
        S.FRowShift = 0;
        S.FTextureHeight = 1;
        S.FDepthLeft = S.FDepthTop = 0;
        S.FDepthTable.fill(4);
        S.FDepthTable[1] = 2;
        S.FDepthBuffer = std::make_unique<TFastDIBTavo>();
        S.FDepthBuffer->LoadFromBitmap(ColorPicture(16, 1, [](int X, int) { return X == 7 || X == 8 ? 65793u : 0u; }).Bitmap(), 24, 0);
        S.FMaskBuffer = std::make_unique<TFastDIBTavo>();
        S.FMaskBuffer->LoadFromBitmap(ColorPicture(4, 1, [](int X, int) { return PackColor(std::uint8_t(10 * (X + 1)), 0, 0); }).Bitmap(), 24, 0);
    }

    // The texture colour sampled for sample X: column (X + phase) mod 4.
    std::uint32_t T(int X) const { return PackColor(std::uint8_t(10 * ((X + 2) % 4 + 1)), 0, 0); }

    TStereogramProbe S;
};

TEST_F(SmallTexturedRow, NearerLinksDissolveFartherOnes) {
    S.LinkTexturedRow(0, S.Work());
    std::set<std::pair<int, int>> Links;
    for (int I = 0; I < 16; ++I) {
        const int R = S.Work().FLinkRight[std::size_t(I)];
        if (R != I) {
            Links.insert({I, R});
            EXPECT_EQ(S.Work().FLinkLeft[std::size_t(R)], I);  // every link is recorded at both ends
        }
    }
    const std::set<std::pair<int, int>> Expected{{0, 4}, {1, 5}, {2, 6}, {3, 7}, {6, 8}, {7, 9}, {8, 12}, {9, 13}, {10, 14}, {11, 15}};
    EXPECT_EQ(Links, Expected);
}

TEST_F(SmallTexturedRow, ColoursSpreadOutwardFromTheStrip) {
    S.LinkTexturedRow(0, S.Work());
    S.ColorTexturedRow(0, S.Work());
    const std::vector<std::uint32_t> Expected{T(4), T(5), T(6), T(7), T(4), T(5), T(6), T(7),
                                              T(6), T(7), T(7), T(11), T(6), T(7), T(7), T(11)};
    EXPECT_EQ(std::vector<std::uint32_t>(S.Work().FRowColors.begin(), S.Work().FRowColors.begin() + 16), Expected);
}

TEST(TexturedRow, BlackDepthMapGivesRowsPeriodicFromTheStrip) {
    TStereogramProbe S;
    S.SetDepthMap(BlackPicture(100, 100));
    S.SetMaskMap(DistinctTexture(120, 50));
    S.SetStereoType(sgtTextured);
    const TPicture Out = Render(S);
    for (int Row : {0, 17, 599}) {
        const auto Colors = RowOf(Out, Row);
        for (int X = 0; X + 90 < 800; ++X) ASSERT_EQ(Colors[std::size_t(X)], Colors[std::size_t(X + 90)]) << Row << ' ' << X;
        // The strip from sample 355 shows texture columns 0 … 89 at texture row Row mod 50.
        for (int X = 355; X < 445; ++X) {
            const int Column = (X + 5) % 90;
            ASSERT_EQ(Colors[std::size_t(X)], PackColor(std::uint8_t(Column), std::uint8_t(Row % 50), std::uint8_t(Column ^ (Row % 50))));
        }
    }
}

TEST(TexturedRow, RepetitionsMoveDownByTheRowShift) {
    TStereogramProbe S;
    S.SetDepthMap(BlackPicture(100, 100));
    S.SetMaskMap(DistinctTexture(90, 50));
    S.SetStereoType(sgtTextured);
    const TPicture Out = Render(S);
    // Row 10, sample 354 (first left of the strip) reads texture row 10 + 4; sample 445
    // (the next repetition to the right) is a copy of 355.
    EXPECT_EQ(GreenOf(Out.Bitmap().Pixel(445, 10)), 10);
    EXPECT_EQ(GreenOf(Out.Bitmap().Pixel(354, 10)), 10);  // copied from its right partner 444
}

TEST(TexturedRow, SamplesAreAveragedWithTruncation) {
    TStereogramProbe S;
    S.SetStereoType(sgtTextured);
    S.SetOversampling(2);
    S.SetWidth(2);
    S.FOutputBuffer->SetSize(2, 1, 24, 0);
    S.Work().FRowColors[0] = PackColor(255, 10, 3);
    S.Work().FRowColors[1] = PackColor(0, 11, 4);
    S.Work().FRowColors[2] = S.Work().FRowColors[3] = PackColor(7, 8, 9);
    S.ReduceTexturedRow(0, S.Work());
    EXPECT_EQ(TStereogramProbe::GetPixelRGB(*S.FOutputBuffer, 0, 0), 3 * 65536 + 10 * 256 + 127);
    EXPECT_EQ(TStereogramProbe::GetPixelRGB(*S.FOutputBuffer, 1, 0), 9 * 65536 + 8 * 256 + 7);
}

TEST(TexturedRow, WithOneSamplePerPixelTheOutputIsTheSampleRow) {
    TStereogramProbe S;
    S.SetStereoType(sgtTextured);
    S.SetWidth(3);
    S.FOutputBuffer->SetSize(3, 1, 24, 0);
    for (std::size_t I = 0; I < 3; ++I) S.Work().FRowColors[I] = PackColor(std::uint8_t(I * 50 + 1), 2, 3);
    S.ReduceTexturedRow(0, S.Work());
    for (int X = 0; X < 3; ++X) EXPECT_EQ(RedOf(std::uint32_t(TStereogramProbe::GetPixelRGB(*S.FOutputBuffer, X, 0))), X * 50 + 1);
}

TEST(TexturedRow, HeavyBlurMakesOneDrawPerOutputPixel) {
    TStereogramProbe S;
    S.SetDepthMap(GreyPicture(400, 300, [](int X, int Y) { return (X + Y) % 256; }));
    S.SetMaskMap(DistinctTexture(100, 100));
    S.SetStereoType(sgtTextured);
    S.SetOversampling(4);
    S.SetBlur(blurHeavy);
    S.SetHeight(1);
    std::uint32_t After = 0;
    S.SetOnGenerate([&](TObject*) {
        if (After == 0) After = Random::RandSeed;
    });
    Render(S, 5);
    Random::Seed(5);
    for (int I = 0; I < 800; ++I) Random::Below(10);
    EXPECT_EQ(After, Random::RandSeed);
}

TEST(TexturedRow, GeneratedTextureFollowsDotIntensityAndColours) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(50, 50));
    S.SetStereoType(sgtRandomDotTextured);
    S.SetDotIntensity(99);
    const TPicture Black = Render(S);
    for (int Row : {0, 123, 599})
        for (TColor32 C : RowOf(Black, Row)) ASSERT_EQ(C, clBlack);

    S.SetDotIntensity(50);
    S.SetRandomDotColor(dctRGB);
    S.SetOversampling(1);
    const TPicture Colored = Render(S);
    std::set<int> Levels;
    for (int Row = 0; Row < 600; Row += 5)
        for (TColor32 C : RowOf(Colored, Row))
            for (int Channel : {RedOf(C), GreenOf(C), BlueOf(C)}) Levels.insert(Channel);
    EXPECT_EQ(Levels.count(255), 0u);
    EXPECT_EQ(Levels.count(0), 1u);
}

TEST(TexturedRow, GeneratedTextureHasAllWrappedRowsWhenTheOutputIsLow) {
    TStereogram S(nullptr);
    S.SetDepthMap(GreyPicture(60, 20, [](int X, int) { return X * 4; }));
    S.SetStereoType(sgtRandomDotTextured);
    S.SetOversampling(8);
    S.SetHeight(20);  // lower than the pattern width 90
    const TPicture Out = Render(S);
    EXPECT_EQ(Out.Height(), 20);
}

TEST(TexturedRow, NarrowMaskKeepsTextureColumnsInsideTheMask) {
    TStereogram S(nullptr);
    S.SetDepthMap(GreyPicture(640, 480, [](int X, int Y) { return (X * Y) % 256; }));
    S.SetMaskMap(DistinctTexture(7, 3));
    S.SetStereoType(sgtTextured);
    S.SetOversampling(8);
    S.SetBlur(blurHeavy);
    const TPicture Out = Render(S);
    EXPECT_EQ(Out.Width(), 800);
}

}  // namespace
