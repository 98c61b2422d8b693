#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "EngineTestSupport.h"

namespace {

TEST(StereogramSettings, ConstructionGivesTheInitialSettingsAndTheirGeometry) {
    TStereogramProbe S;
    EXPECT_EQ(S.Separation(), 90);
    EXPECT_EQ(S.Progress, 0);
    EXPECT_EQ(S.StereoType(), sgtFastRandomDot);
    EXPECT_EQ(S.Oversampling(), 1);
    EXPECT_EQ(S.Width(), 800);
    EXPECT_EQ(S.Height(), 600);
    EXPECT_EQ(S.DotIntensity(), 50);
    EXPECT_EQ(S.DPI(), 72);
    EXPECT_EQ(S.Blur(), blurNone);
    EXPECT_EQ(S.RandomDotColor(), dctBlackWhite);
    EXPECT_EQ(S.ObservDistance(), 14.0);
    EXPECT_EQ(S.Max3Ddepth(), 14.0);
    EXPECT_EQ(S.Min3Ddepth(), 7.0);
    EXPECT_FALSE(S.FixedSeed().has_value());

    EXPECT_EQ(S.FEyeSep, 180);
    EXPECT_EQ(S.FEyeSepSub, 180);
    EXPECT_EQ(S.FObserver, 1008.0);
    EXPECT_EQ(S.FFarPlane, 1008.0);
    EXPECT_EQ(S.FNearPlane, 504.0);
    EXPECT_EQ(S.FPatternWidth, 90);
    EXPECT_EQ(S.FPeriod, 90);
    EXPECT_EQ(S.FSubWidth, 800);
    EXPECT_EQ(S.FStripStart, 355);
    EXPECT_EQ(S.FPhase, 5);
    EXPECT_EQ(S.FRowShift, 4);
    EXPECT_EQ(S.FTextureHeight, 0);
    EXPECT_EQ(S.FDepthLeft, 400);
    EXPECT_EQ(S.FDepthTop, 300);
}

TEST(StereogramSettings, DepthTableOfTheInitialSettings) {
    TStereogramProbe S;
    S.BuildDepthTable();
    EXPECT_EQ(S.FDepthTable[0], 90);
    EXPECT_EQ(S.FDepthTable[64], 84);
    EXPECT_EQ(S.FDepthTable[128], 77);
    EXPECT_EQ(S.FDepthTable[192], 69);
    EXPECT_EQ(S.FDepthTable[255], 60);
}

TEST(StereogramSettings, GeometryOfTheWindowsTexturedSettings) {
    TStereogramProbe S;
    S.SetStereoType(sgtTextured);
    S.SetOversampling(4);
    S.SetMin3Ddepth(8.0);
    S.SetHeight(500);
    S.UpdateGeometry();
    S.BuildDepthTable();
    EXPECT_EQ(S.FEyeSepSub, 720);
    EXPECT_EQ(S.FPeriod, 360);
    EXPECT_EQ(S.FSubWidth, 3200);
    EXPECT_EQ(S.FStripStart, 1420);
    EXPECT_EQ(S.FPhase, 20);
    EXPECT_EQ(S.FNearPlane, 576.0);
    EXPECT_EQ(S.FDepthTable[0], 360);
    EXPECT_EQ(S.FDepthTable[128], 317);
    EXPECT_EQ(S.FDepthTable[255], 262);
}

TEST(StereogramSettings, GeometryWithTwoSamplesPerPixel) {
    TStereogramProbe S;
    S.SetStereoType(sgtTextured);
    S.SetOversampling(2);
    S.UpdateGeometry();
    S.BuildDepthTable();
    EXPECT_EQ(S.FSubWidth, 1600);
    EXPECT_EQ(S.FPeriod, 180);
    EXPECT_EQ(S.FStripStart, 710);
    EXPECT_EQ(S.FPhase, 10);
    EXPECT_EQ(S.FDepthTable[0], 180);
    EXPECT_EQ(S.FDepthTable[128], 154);
    EXPECT_EQ(S.FDepthTable[255], 120);
}

TEST(StereogramSettings, IntegerSettersClampInsteadOfRejecting) {
    TStereogram S(nullptr);
    S.SetWidth(0);
    EXPECT_EQ(S.Width(), 600);  // not 800
    S.SetWidth(5000);
    EXPECT_EQ(S.Width(), 1024);
    S.SetHeight(0);
    EXPECT_EQ(S.Height(), 600);
    S.SetHeight(801);
    EXPECT_EQ(S.Height(), 800);
    S.SetHeight(-7);
    EXPECT_EQ(S.Height(), 600);
    S.SetDotIntensity(0);
    EXPECT_EQ(S.DotIntensity(), 1);
    S.SetDotIntensity(100);
    EXPECT_EQ(S.DotIntensity(), 99);
    S.SetStereoType(sgtTextured);
    S.SetOversampling(0);
    EXPECT_EQ(S.Oversampling(), 1);
    S.SetOversampling(9);
    EXPECT_EQ(S.Oversampling(), 8);
}

TEST(StereogramSettings, RandomDotTypesHoldOversamplingAtOne) {
    TStereogram S(nullptr);
    S.SetOversampling(4);
    EXPECT_EQ(S.Oversampling(), 1);  // sgtFastRandomDot after construction

    S.SetStereoType(sgtTextured);
    S.SetOversampling(4);
    S.SetStereoType(sgtRandomDotTextured);
    EXPECT_EQ(S.Oversampling(), 4);  // a textured type leaves it
    S.SetStereoType(sgtColoredDot);
    EXPECT_EQ(S.Oversampling(), 1);
    S.SetOversampling(4);
    EXPECT_EQ(S.Oversampling(), 1);
}

TEST(StereogramSettings, SetDPIClampsAndHalvesToFitWidthAndHeight) {
    TStereogram S(nullptr);
    S.SetDPI(5);
    EXPECT_EQ(S.DPI(), 10);
    S.SetDPI(700);
    EXPECT_EQ(S.DPI(), 300);  // the height halves it
    S.SetDPI(900);
    EXPECT_EQ(S.DPI(), 400);  // the width halves it, and 400 fits the height
}

TEST(StereogramSettings, DepthMapIsCentredInTheOutput) {
    TStereogramProbe S;
    S.SetDepthMap(BlackPicture(640, 480));
    S.UpdateGeometry();
    EXPECT_EQ(S.FDepthLeft, 80);
    EXPECT_EQ(S.FDepthTop, 60);

    S.SetDepthMap(BlackPicture(357, 2));
    S.UpdateGeometry();
    EXPECT_EQ(S.FDepthLeft, 221);

    S.SetDepthMap(BlackPicture(1100, 2));
    S.UpdateGeometry();
    EXPECT_EQ(S.Width(), 1024);
    EXPECT_EQ(S.FDepthLeft, -38);
}

TEST(StereogramSettings, SetDepthMapEnlargesTheOutputButNeverShrinksIt) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(100, 50));
    EXPECT_EQ(S.Width(), 800);
    EXPECT_EQ(S.Height(), 600);
    S.SetDepthMap(BlackPicture(900, 700));
    EXPECT_EQ(S.Width(), 900);
    EXPECT_EQ(S.Height(), 700);
    S.SetDepthMap(BlackPicture(2000, 1000));
    EXPECT_EQ(S.Width(), 1024);
    EXPECT_EQ(S.Height(), 800);
    S.SetDepthMap(TPicture());
    EXPECT_EQ(S.DepthMap().Width(), 0);
    EXPECT_EQ(S.Width(), 1024);
}

TEST(StereogramSettings, ColoredDotFollowsTheDepthMapUnclamped) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(640, 480));
    S.SetStereoType(sgtColoredDot);
    S.SetWidth(1000);
    EXPECT_EQ(S.Width(), 640);
    S.SetHeight(100);
    EXPECT_EQ(S.Height(), 480);

    // Choosing the type clamps once (the previous type is still stored), later sets follow.
    TStereogram Wide(nullptr);
    Wide.SetDepthMap(BlackPicture(1100, 900));
    Wide.SetStereoType(sgtColoredDot);
    EXPECT_EQ(Wide.Width(), 1024);
    EXPECT_EQ(Wide.Height(), 800);
    Wide.SetWidth(1);
    Wide.SetHeight(1);
    EXPECT_EQ(Wide.Width(), 1100);
    EXPECT_EQ(Wide.Height(), 900);

    // An empty depth map gives 600 × 600 on choosing the type, 0 afterwards.
    TStereogram Empty(nullptr);
    Empty.SetStereoType(sgtColoredDot);
    EXPECT_EQ(Empty.Width(), 600);
    EXPECT_EQ(Empty.Height(), 600);
    Empty.SetWidth(300);
    EXPECT_EQ(Empty.Width(), 0);
}

TEST(StereogramSettings, ColoredDotWidthStaysWithinTheRowTables) {
    TStereogram S(nullptr);
    S.SetStereoType(sgtColoredDot);
    S.SetDepthMap(BlackPicture(9000, 1));
    EXPECT_EQ(S.Width(), TStereogram::MaxSubWidth);
    S.SetSizeLimit(slLarge);  // large row tables follow the depth map
    S.SetWidth(1);
    EXPECT_EQ(S.Width(), 9000);
    S.SetSizeLimit(slClassic);
    EXPECT_EQ(S.Width(), TStereogram::MaxSubWidth);
}

TEST(StereogramSettings, LargeSizeLimitLiftsTheClampsAndClassicRestoresThem) {
    TStereogram S(nullptr);
    EXPECT_EQ(S.SizeLimit(), slClassic);
    S.SetSizeLimit(slLarge);
    S.SetWidth(3508);
    S.SetHeight(20000);
    EXPECT_EQ(S.Width(), 3508);
    EXPECT_EQ(S.Height(), 16384);
    S.SetWidth(0);
    EXPECT_EQ(S.Width(), 600);
    S.SetWidth(3508);
    S.SetSizeLimit(slClassic);
    EXPECT_EQ(S.Width(), 1024);
    EXPECT_EQ(S.Height(), 800);
    S.SetSizeLimit(slLarge);  // lifting the limit leaves the size as it is
    EXPECT_EQ(S.Width(), 1024);
}

TEST(StereogramSettings, ViewingAidsAreOffAndThreadsOneByDefault) {
    TStereogram S(nullptr);
    EXPECT_FALSE(S.GuideDots());
    EXPECT_FALSE(S.CrossEyed());
    EXPECT_EQ(S.Threads(), 1);
    S.SetThreads(0);
    EXPECT_EQ(S.Threads(), 1);
    S.SetThreads(1000);
    EXPECT_EQ(S.Threads(), TStereogram::MaxThreads);
}

TEST(StereogramSettings, TexturedTypesNarrowThePatternToANarrowMask) {
    TStereogramProbe S;
    S.SetMaskMap(BlackPicture(85, 10));
    S.UpdateGeometry();
    EXPECT_EQ(S.Separation(), 90);  // sgtFastRandomDot ignores the mask
    S.SetStereoType(sgtTextured);
    EXPECT_EQ(S.Separation(), 90);  // a cached value until the next geometry update
    S.UpdateGeometry();
    EXPECT_EQ(S.Separation(), 85);
    S.SetMaskMap(BlackPicture(200, 10));
    S.UpdateGeometry();
    EXPECT_EQ(S.Separation(), 90);
    EXPECT_EQ(S.FTextureHeight, 10);
}

TEST(StereogramSettings, RandomDotTexturedWrapsAfterPatternWidthRows) {
    TStereogramProbe S;
    S.SetMaskMap(BlackPicture(200, 33));
    S.SetStereoType(sgtRandomDotTextured);
    S.UpdateGeometry();
    EXPECT_EQ(S.FTextureHeight, 90);
    EXPECT_EQ(S.FTextureHeight, S.FPatternWidth);
}

TEST(StereogramSettings, SetSeparationDerivesTheFarPlane) {
    TStereogram S(nullptr);
    S.SetSeparation(100);
    EXPECT_DOUBLE_EQ(S.Max3Ddepth(), 17.513);
    EXPECT_EQ(S.Separation(), 100);
    S.SetSeparation(60);
    EXPECT_DOUBLE_EQ(S.Max3Ddepth(), 7.013);
    EXPECT_EQ(S.Separation(), 60);
    S.SetSeparation(90);
    EXPECT_DOUBLE_EQ(S.Max3Ddepth(), 14.013);
    EXPECT_EQ(S.Separation(), 90);
}

TEST(StereogramSettings, SetSeparationLowersANearPlaneBeyondTheNewFarPlane) {
    TStereogram S(nullptr);
    S.SetSeparation(50);
    EXPECT_DOUBLE_EQ(S.Max3Ddepth(), 5.398);
    EXPECT_DOUBLE_EQ(S.Min3Ddepth(), 5.398 - 5.0);
    EXPECT_EQ(S.Separation(), 50);
}

TEST(StereogramSettings, SetSeparationTruncatesTheEyeSeparationWhereGeometryRoundsIt) {
    TStereogramProbe S;
    S.SetDPI(75);
    EXPECT_EQ(S.FEyeSep, 188);
    const double Before = S.Max3Ddepth();
    S.SetSeparation(187);  // 187 = Trunc(75 × 2.5): outside the valid range
    EXPECT_EQ(S.Max3Ddepth(), Before);
    S.SetSeparation(186);  // m = 75 × 186 × 14 / 1 + 1
    EXPECT_DOUBLE_EQ(S.Max3Ddepth(), 2604.013);
}

TEST(StereogramSettings, SetSeparationOutsideItsRangeChangesNothing) {
    TStereogram S(nullptr);
    for (int V : {0, -5, 180, 181, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()}) {
        S.SetSeparation(V);
        EXPECT_EQ(S.Max3Ddepth(), 14.0) << V;
        EXPECT_EQ(S.Min3Ddepth(), 7.0) << V;
        EXPECT_EQ(S.Separation(), 90) << V;
    }
}

TEST(StereogramSettings, EqualNearAndFarPlanesGiveAFlatDepthTable) {
    TStereogramProbe S;
    S.SetMin3Ddepth(14.0);
    S.BuildDepthTable();
    for (int Level = 0; Level < 256; ++Level) EXPECT_EQ(S.FDepthTable[std::size_t(Level)], 90);
}

TEST(StereogramSettings, DegenerateDistancesNeverDivideByZero) {
    TStereogramProbe S;
    S.SetMax3Ddepth(0);
    EXPECT_EQ(S.FPatternWidth, 0);
    EXPECT_EQ(S.FPeriod, 0);
    EXPECT_EQ(S.FPhase, 0);

    S.SetMax3Ddepth(-14.0);  // the far plane at −ObservDistance
    EXPECT_EQ(S.FPatternWidth, 0);
    S.BuildDepthTable();
    EXPECT_EQ(S.FDepthTable[0], 0);

    S.SetObservDistance(std::numeric_limits<double>::quiet_NaN());
    S.SetMax3Ddepth(std::numeric_limits<double>::infinity());
    S.BuildDepthTable();
    EXPECT_EQ(S.FPatternWidth, 0);
    for (int Level = 0; Level < 256; ++Level) EXPECT_EQ(S.FDepthTable[std::size_t(Level)], 0);
}

TEST(StereogramSettings, PixelAccessorsUseBlueGreenRedBytes) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(4, 3, 24, 0);
    TStereogramProbe::SetPixelRGB(Buffer, 2, 1, 0x30, 0x20, 0x10);
    const std::uint8_t* Pixel = Buffer.Rows8[1] + 6;
    EXPECT_EQ(Pixel[0], 0x10);
    EXPECT_EQ(Pixel[1], 0x20);
    EXPECT_EQ(Pixel[2], 0x30);
    EXPECT_EQ(TStereogramProbe::GetPixelRGB(Buffer, 2, 1), 0x102030);
}

}  // namespace
