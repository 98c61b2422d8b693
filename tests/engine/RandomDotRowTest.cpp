#include <gtest/gtest.h>

#include <map>
#include <set>

#include "EngineTestSupport.h"
#include "Random.h"

namespace {

TEST(RandomDotRow, LinkWalkPassesAConstraintAlongExistingLinks) {
    TStereogramProbe S;
    for (int I = 0; I < 100; ++I) S.Work().FLinkLeft[std::size_t(I)] = std::uint16_t(I);
    S.Work().FLinkLeft[10] = 50;

    S.Work().FLeft = 10;
    S.Work().FRight = 40;
    TStereogramProbe::RecordRandomDotLink(S.Work());
    EXPECT_EQ(S.Work().FLinkLeft[10], 50);
    EXPECT_EQ(S.Work().FLinkLeft[40], 50);
    EXPECT_EQ(S.Work().FLinkLeft[50], 50);

    S.Work().FLinkLeft[40] = 40;
    S.Work().FLeft = 10;
    S.Work().FRight = 60;
    TStereogramProbe::RecordRandomDotLink(S.Work());
    EXPECT_EQ(S.Work().FLinkLeft[10], 50);
    EXPECT_EQ(S.Work().FLinkLeft[50], 60);
    EXPECT_EQ(S.Work().FLinkLeft[40], 40);
}

TEST(RandomDotRow, ConstraintAlreadyInPlaceAndZeroSeparationChangeNothing) {
    TStereogramProbe S;
    for (int I = 0; I < 100; ++I) S.Work().FLinkLeft[std::size_t(I)] = std::uint16_t(I);
    S.Work().FLinkLeft[10] = 50;
    S.Work().FLeft = 10;
    S.Work().FRight = 50;
    TStereogramProbe::RecordRandomDotLink(S.Work());
    S.Work().FLeft = S.Work().FRight = 10;
    TStereogramProbe::RecordRandomDotLink(S.Work());
    EXPECT_EQ(S.Work().FLinkLeft[10], 50);
    for (int I = 11; I < 100; ++I) EXPECT_EQ(S.Work().FLinkLeft[std::size_t(I)], I);
}

TEST(RandomDotRow, RowOutsideTheReliefRepeatsTheFarSeparationFromTheRightEdge) {
    TStereogram S(nullptr);
    S.SetDepthMap(GreyPicture(640, 480, [](int X, int Y) { return (X + Y) % 256; }));
    const TPicture Out = Render(S);
    for (int Row : {0, 59, 540, 599}) {
        const auto Colors = RowOf(Out, Row);
        for (int P = 0; P < 710; ++P) ASSERT_EQ(Colors[std::size_t(P)], Colors[std::size_t(P + 90)]) << Row << ' ' << P;
    }
}

TEST(RandomDotRow, ConstantSeparationRepeatsFreshDotsOfTheLastColumns) {
    // A relief covering the whole output at level 128: separation 77, odd; the period
    // holds whether or not the width is a multiple of it.
    TStereogram S(nullptr);
    S.SetDepthMap(GreyPicture(800, 600, [](int, int) { return 128; }));
    const auto Colors = RowOf(Render(S), 0);
    for (int P = 0; P + 77 < 800; ++P) ASSERT_EQ(Colors[std::size_t(P)], Colors[std::size_t(P + 77)]) << P;
    std::set<TColor32> Fresh(Colors.end() - 77, Colors.end());
    EXPECT_EQ(Fresh.size(), 2u);  // black and white both among the 77 fresh dots
}

TEST(RandomDotRow, DepthMapAsLargeAsTheOutputIsReadFromItsFirstRowAndColumn) {
    TStereogramProbe S;
    S.SetDepthMap(GreyPicture(800, 600, [](int X, int Y) { return X == 0 && Y == 0 ? 99 : 0; }));
    S.Generate();  // leaves the geometry of the run
    EXPECT_EQ(S.FDepthLeft, 0);
    EXPECT_EQ(S.FDepthTop, 0);
    S.FDepthBuffer = std::make_unique<TFastDIBTavo>();
    S.FDepthBuffer->LoadFromBitmap(S.DepthMap().Bitmap(), 24, 0);
    S.ReadDepthLevels(0, S.Work());
    EXPECT_EQ(S.Work().FDepthLevels[0], 99);
    EXPECT_EQ(S.Work().FDepthLevels[1], 0);
    EXPECT_EQ(S.Work().FDepthLevels[799], 0);
}

TEST(RandomDotRow, DepthLevelOfColouredPixelsIsRuledByBlue) {
    TStereogramProbe S;
    S.FDepthBuffer = std::make_unique<TFastDIBTavo>();
    S.FDepthBuffer->LoadFromBitmap(
        ColorPicture(3, 1, [](int X, int) { return X == 0 ? PackColor(128, 128, 128) : X == 1 ? PackColor(0, 0, 255) : PackColor(255, 0, 0); })
            .Bitmap(),
        24, 0);
    S.FDepthLeft = S.FDepthTop = 0;
    S.ReadDepthLevels(0, S.Work());
    EXPECT_EQ(S.Work().FDepthLevels[0], 128);
    EXPECT_EQ(S.Work().FDepthLevels[1], 254);
    EXPECT_EQ(S.Work().FDepthLevels[2], 0);
}

TEST(RandomDotRow, DotIntensitySetsTheShareOfBlackDots) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    S.SetDotIntensity(99);
    const TPicture AllBlack = Render(S);
    for (int Row : {0, 300, 599})
        for (TColor32 C : RowOf(AllBlack, Row)) ASSERT_EQ(C, clBlack);

    S.SetDotIntensity(1);
    const TPicture Sparse = Render(S);
    int Black = 0, Total = 0;
    for (int Row = 0; Row < 600; Row += 7)
        for (int X = 710; X < 800; ++X, ++Total) Black += Sparse.Bitmap().Pixel(X, Row) == clBlack;
    EXPECT_NEAR(double(Black) / Total, 0.02, 0.01);
}

TEST(RandomDotRow, ColouredDotsTakeOnlyFourLevelsPerChannel) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    S.SetRandomDotColor(dctRGB);
    S.SetHeight(40);
    const TPicture Out = Render(S);
    std::set<int> Levels;
    for (int Row = 0; Row < 40; ++Row)
        for (TColor32 C : RowOf(Out, Row))
            for (int Channel : {RedOf(C), GreenOf(C), BlueOf(C)}) Levels.insert(Channel);
    EXPECT_EQ(Levels, (std::set<int>{0, 64, 128, 192}));
}

// Replays the blur draws to check each jittered separation against its draw.
void ExpectBlurredSeparations(TBlurType Blur, int Level, const std::map<int, int>& SeparationOfJitter) {
    TStereogramProbe S;
    S.SetBlur(Blur);
    S.UpdateGeometry();
    for (std::uint32_t Seed = 0; Seed < 200; ++Seed) {
        Random::Seed(Seed);
        const int Jitter = Random::Below(10) - 5;
        Random::Seed(Seed);
        EXPECT_EQ(S.SeparationForLevel(Level, S.Work()), SeparationOfJitter.at(Jitter)) << "jitter " << Jitter;
    }
}

TEST(RandomDotRow, BlurJitterRoundsHalvesToEven) {
    std::map<int, int> Always90;
    for (int J = -5; J <= 4; ++J) Always90[J] = 90;
    ExpectBlurredSeparations(blurLight, 0, Always90);
    ExpectBlurredSeparations(blurMedium, 0, Always90);  // j = −5 gives 89.5, which goes to 90

    std::map<int, int> Heavy = Always90;
    Heavy[-5] = Heavy[-4] = 89;
    Heavy[4] = 91;
    ExpectBlurredSeparations(blurHeavy, 0, Heavy);

    // Level 128 lies at 77.14: heavy jitter spans 76.43 … 77.71.
    std::map<int, int> Heavy128;
    for (int J = -5; J <= 4; ++J) Heavy128[J] = 77;
    Heavy128[-5] = 76;
    Heavy128[3] = Heavy128[4] = 78;
    ExpectBlurredSeparations(blurHeavy, 128, Heavy128);
}

TEST(RandomDotRow, BlackMaskMakesColoredDotEqualToFastRandomDot) {
    auto Make = [](TStereoGramType Type) {
        TStereogram S(nullptr);
        S.SetDepthMap(GreyPicture(320, 240, [](int X, int Y) { return (X / 20 + Y / 20) * 16 % 256; }));
        S.SetMaskMap(BlackPicture(320, 240));
        S.SetStereoType(Type);
        S.SetWidth(320);
        S.SetHeight(240);
        S.SetBlur(blurLight);
        return Render(S, 77);
    };
    const TPicture Colored = Make(sgtColoredDot), Fast = Make(sgtFastRandomDot);
    ASSERT_EQ(Colored.Width(), 320);
    for (int Row = 0; Row < 240; ++Row) EXPECT_EQ(RowOf(Colored, Row), RowOf(Fast, Row));
}

TEST(RandomDotRow, BrightMaskColoursSomeDotsAndTheirPartners) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(200, 100));
    const TColor32 Orange = PackColor(250, 120, 10);
    S.SetMaskMap(ColorPicture(200, 100, [&](int, int) { return Orange; }));
    S.SetStereoType(sgtColoredDot);
    const TPicture Out = Render(S);
    int Coloured = 0;
    for (int Row = 0; Row < 100; ++Row) {
        const auto Colors = RowOf(Out, Row);
        auto IsOrange = [&](int P) { return P >= 0 && P < 200 && Colors[std::size_t(P)] == Orange; };
        for (int P = 0; P < 200; ++P) {
            if (!IsOrange(P)) continue;
            ++Coloured;
            // A mask colour always arrives with its partner half the far separation away.
            EXPECT_TRUE(IsOrange(P + 90) || IsOrange(P - 90)) << Row << ' ' << P;
        }
    }
    EXPECT_GT(Coloured, 0);
}

}  // namespace
