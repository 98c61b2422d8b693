#include <gtest/gtest.h>

#include <random>

#include "Reveal.h"
#include "RevealFailure.h"
#include "RevealScenes.h"
#include "StereoViews.h"

namespace {

using TKind = TRevealFailure::TKind;

struct TRoundTrip {
    int Sample;
    TRevealKind Kind;
    bool CrossEyed = false;
};

// A few samples of every kind our generator draws: with the run's geometry the revealed map
// is the depth map the run read, and without it the relative depth still follows it.
TEST(Reveal, OurStereogramsGiveBackTheDepthTheRunRead) {
    const TRoundTrip Cases[] = {{3, TRevealKind::Textured4},     {7, TRevealKind::Textured1},
                                {12, TRevealKind::RandomDotTextured}, {20, TRevealKind::FastRandomDot},
                                {26, TRevealKind::ColoredDot},   {9, TRevealKind::FastRandomDot, true},
                                // Large near parts, whose repeats at twice their separation outnumber the far plane's
                                {16, TRevealKind::FastRandomDot}, {24, TRevealKind::Textured4}};
    for (const TRoundTrip& Case : Cases) {
        SCOPED_TRACE(std::to_string(Case.Sample) + " " + std::string(RevealKindName(Case.Kind)) + (Case.CrossEyed ? " cross-eyed" : ""));
        const TRevealScene Scene = MakeRevealScene(Case.Sample, Case.Kind, 800, 500, Case.CrossEyed);
        const TRevealResult Known = Reveal(Scene.Stereogram, {Scene.Geometry, false, 2});
        EXPECT_GE(ShareWithinLevels(Known.Depth, Scene.TrueDepth, Scene.FarRepeat, 8), 0.93);
        if (Case.CrossEyed) continue;
        EXPECT_NEAR(Known.FarRepeat, Scene.FarRepeat, 1.5);
        const TRevealResult Relative = Reveal(Scene.Stereogram, {std::nullopt, false, 2});
        EXPECT_GE(DepthCorrelation(Relative.Depth, Scene.TrueDepth, Scene.FarRepeat), 0.9);
    }
}

TEST(Reveal, AnotherMakersRandomDotsAreRecognisable) {
    for (const int Sample : {2, 15}) {
        const TRevealScene Scene = MakeRevealScene(Sample, TRevealKind::FastRandomDot);
        const TRevealResult Revealed = Reveal(TextbookStereogram(Scene.TrueDepth, 7), {std::nullopt, false, 2});
        EXPECT_GE(DepthCorrelation(Revealed.Depth, Scene.TrueDepth, TextbookFarRepeat), 0.9) << Sample;
    }
}

TBitmap Picture(int Width, int Height, auto Colour) {
    TBitmap B(Width, Height, pf24bit);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) B.SetPixel(X, Y, Colour(X, Y));
    return B;
}

// Pictures that are no stereogram are refused with what was looked for, never read past.
TEST(Reveal, PicturesWithoutRepeatsAreRefusedNamingWhatWasLookedFor) {
    std::mt19937 Random(5);
    const auto Noise = [&](int, int) { return TColor32(Random() & 0xFFFFFF); };
    const auto Flat = [](int, int) { return PackColor(90, 120, 200); };
    const auto Photo = [](int X, int Y) { return PackColor(std::uint8_t(X / 3), std::uint8_t(Y / 2), std::uint8_t((X + Y) / 5)); };
    struct TCase {
        const char* Name;
        TBitmap Bitmap;
        TKind Kind;
        int Width, Smallest, Largest;
    };
    const TCase Cases[] = {
        {"noise", Picture(300, 120, Noise), TKind::NoRepeatingPattern, 300, 8, 150},
        {"flat colour", Picture(300, 120, Flat), TKind::NoRepeatingPattern, 300, 8, 150},
        {"smooth photo", Picture(400, 200, Photo), TKind::NoRepeatingPattern, 400, 8, 200},
        {"narrower than two repeats", Picture(15, 300, Noise), TKind::NarrowerThanTwoRepeats, 15, 8, 8},
        {"one pixel", Picture(1, 1, Flat), TKind::NarrowerThanTwoRepeats, 1, 8, 8},
        {"one row", Picture(600, 1, Noise), TKind::NoRepeatingPattern, 600, 8, 300},
        {"empty", TBitmap(), TKind::NarrowerThanTwoRepeats, 0, 8, 8},
    };
    for (const TCase& Case : Cases) {
        SCOPED_TRACE(Case.Name);
        try {
            Reveal(Case.Bitmap, {});
            ADD_FAILURE() << "revealed";
        } catch (const TRevealFailure& F) {
            EXPECT_EQ(F.Kind, Case.Kind);
            EXPECT_EQ(F.Width, Case.Width);
            EXPECT_EQ(F.SmallestRepeat, Case.Smallest);
            EXPECT_EQ(F.LargestRepeat, Case.Largest);
        }
    }
}

TEST(Reveal, KnownGeometryWiderThanThePictureIsRefusedNamingTheWidth) {
    const TRevealScene Scene = MakeRevealScene(1, TRevealKind::FastRandomDot, 170, 100);
    try {
        Reveal(Scene.Stereogram, {Scene.Geometry, false, 1});
        ADD_FAILURE() << "revealed";
    } catch (const TRevealFailure& F) {
        EXPECT_EQ(F.Kind, TKind::NarrowerThanTwoRepeats);
        EXPECT_EQ(F.Width, 170);
        EXPECT_EQ(F.LargestRepeat, Scene.FarRepeat);
    }
}

// A step: the near square moves by half its extra separation to either side, and the
// pixels it uncovers show the background beside them.
TEST(StereoViews, EyesSeeNearSurfacesShiftedAndUncoverTheBackground) {
    TRevealGeometry Geometry;
    for (int Level = 0; Level < 256; ++Level) Geometry.Separations[std::size_t(Level)] = Level == 255 ? 10 : 20;
    const TBitmap Depth = Picture(40, 4, [](int X, int) { return X >= 10 && X < 20 ? PackColor(255, 255, 255) : PackColor(0, 0, 0); });
    const TBitmap Texture = Picture(40, 4, [](int X, int) { return PackColor(std::uint8_t(X), 0, 0); });
    const TBitmap Left = EyeView(Depth, Texture, {Geometry, false}, TEye::Left);
    const TBitmap Right = EyeView(Depth, Texture, {Geometry, false}, TEye::Right);
    // Far pixels move by (20 − 10) / 2 = 5 away from each eye's side; the near square stays.
    EXPECT_EQ(RedOf(Left.Pixel(10, 0)), 10);
    EXPECT_EQ(RedOf(Left.Pixel(24, 0)), 29);
    EXPECT_EQ(RedOf(Right.Pixel(25, 0)), 20);
    EXPECT_EQ(RedOf(Right.Pixel(19, 0)), 19);
    EXPECT_EQ(RedOf(Left.Pixel(20, 0)), 25);  // uncovered: the background to its right
    const TBitmap Glasses = Anaglyph(Left, Right);
    EXPECT_EQ(Glasses.Width(), 40);
    EXPECT_EQ(SideBySide(Left, Right).Width(), 80);
}

}  // namespace
