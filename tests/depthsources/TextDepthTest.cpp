#include <gtest/gtest.h>

#include <algorithm>

#include "DepthTestSupport.h"
#include "ExpectMessage.h"
#include "TestPictures.h"
#include "TextDepth.h"
#include "TextFont.h"

namespace {

constexpr int Width = 400, Height = 300;  // a margin of 15 pixels

TBitmap LetterA(TReliefProfile Profile) {
    TTextDepthOptions Options;
    Options.Profile = Profile;
    return RenderTextDepth("A", Width, Height, Options);
}

// Row through both legs of the A, well below its crossbar.
constexpr int LegRow = Height * 5 / 6;

}  // namespace

TEST(TextDepth, LetterAFillsThePictureUpToTheMarginWhereTheGlyphIs) {
    const TBitmap A = LetterA(TReliefProfile::Round);
    ASSERT_EQ(A.PixelFormat(), pf24bit);
    const TColor32 Sample = A.Pixel(Width / 2, 20);
    EXPECT_EQ(Sample & 0xFF, (Sample >> 8) & 0xFF);
    EXPECT_EQ(Sample & 0xFF, (Sample >> 16) & 0xFF);

    int Top = Height, Bottom = -1, Left = Width, Right = -1;
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            if (Level(A, X, Y) > 0) Top = std::min(Top, Y), Bottom = std::max(Bottom, Y), Left = std::min(Left, X), Right = std::max(Right, X);
    EXPECT_NEAR(Top, 15, 1);
    EXPECT_NEAR(Bottom, Height - 1 - 15, 1);
    EXPECT_NEAR(Left + Right, Width - 1, 2);
    EXPECT_LE(MirrorMismatches(A, A), LitCount(A) / 100);

    // Down the middle: the apex, the hole above the crossbar, the crossbar, the gap between the legs.
    std::vector<bool> Changes{Level(A, Width / 2, 0) > 0};
    for (int Y = 1; Y < Height; ++Y)
        if ((Level(A, Width / 2, Y) > 0) != (Level(A, Width / 2, Y - 1) > 0)) Changes.push_back(Level(A, Width / 2, Y) > 0);
    EXPECT_EQ(Changes, (std::vector<bool>{false, true, false, true, false}));
}

TEST(TextDepth, RoundProfileIsBrightestAlongTheMiddleOfEachStrokeFlatProfileIsUniform) {
    const TBitmap Round = LetterA(TReliefProfile::Round), Flat = LetterA(TReliefProfile::Flat);
    const auto Legs = LitRuns(Round, LegRow);
    ASSERT_EQ(Legs.size(), 2u);
    for (const auto& [First, Last] : Legs) {
        SCOPED_TRACE(testing::Message() << "leg " << First << " … " << Last);
        int Peak = First;
        for (int X = First; X <= Last; ++X)
            if (Level(Round, X, LegRow) > Level(Round, Peak, LegRow)) Peak = X;
        EXPECT_EQ(Level(Round, Peak, LegRow), 255);
        EXPECT_NEAR(Peak, (First + Last) / 2, 2);
        EXPECT_LT(Level(Round, First, LegRow), 64);
        EXPECT_LT(Level(Round, Last, LegRow), 64);
        for (int X = First; X < Peak; ++X) EXPECT_LE(Level(Round, X, LegRow), Level(Round, X + 1, LegRow)) << X;
        for (int X = Peak; X < Last; ++X) EXPECT_GE(Level(Round, X, LegRow), Level(Round, X + 1, LegRow)) << X;
        // Flat: the same stroke at full height, only the outline pixels anti-aliased.
        for (int X = First + 1; X < Last; ++X) EXPECT_EQ(Level(Flat, X, LegRow), 255) << X;
    }
}

TEST(TextDepth, SeveralLinesAreStackedEachCentred) {
    const TBitmap Two = RenderTextDepth("A\nA", Width, Height);
    int Bands = 0;
    for (int Y = 0, Previous = 0; Y < Height; ++Y) {
        const int Lit = !LitRuns(Two, Y).empty();
        Bands += Lit && !Previous;
        Previous = Lit;
    }
    EXPECT_EQ(Bands, 2);
    EXPECT_LE(MirrorMismatches(Two, Two), LitCount(Two) / 100);
}

TEST(TextDepth, CharacterNoFontHasIsLeftOutWithAWarning) {
    std::vector<std::string> Warnings;
    const TBitmap WithMissing = RenderTextDepth("A\U0010FFFD", Width, Height, {}, &Warnings);
    ASSERT_EQ(Warnings.size(), 1u);
    EXPECT_NE(Warnings[0].find("U+10FFFD"), std::string::npos) << Warnings[0];
    EXPECT_EQ(Levels(WithMissing), Levels(LetterA(TReliefProfile::Round)));
}

TEST(TextDepth, RefusalsSayWhy) {
    const struct {
        const char* Text;
        const char* Font;
        const char* Message;
    } Cases[] = {
        {"", "", "Text ist leer"},
        {" \n\t", "", "Text ist leer"},
        {"\U0010FFFD", "", "Text enthält kein darstellbares Zeichen"},
        {"A", "No Such Font Family", "Schriftart nicht gefunden: No Such Font Family"},
        {"A", "/no/such/folder/font.ttf", "Schriftdatei kann nicht geöffnet werden: /no/such/folder/font.ttf"},
        {"A", STEREO_TEST_DATA "/png_image_data_truncated.png", "Schriftdatei kann nicht geöffnet werden: " STEREO_TEST_DATA "/png_image_data_truncated.png"},
    };
    for (const auto& C : Cases) {
        TTextDepthOptions Options;
        Options.Font = C.Font;
        EXPECT_EQ(MessageOf([&] { RenderTextDepth(C.Text, Width, Height, Options); }), C.Message) << C.Text << " / " << C.Font;
    }
}

TEST(TextDepth, FontsAreFoundByFamilyFullNameAndFileAndListed) {
    const std::vector<std::string> Families = AvailableFontFamilies();
    EXPECT_TRUE(std::is_sorted(Families.begin(), Families.end()));
    EXPECT_NE(std::find(Families.begin(), Families.end(), "DejaVu Sans"), Families.end());
    for (const char* Font : {"DejaVu Sans", "dejavu sans bold", "DejaVu Serif:weight=regular", "sans-serif", "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"}) {
        TTextDepthOptions Options;
        Options.Font = Font;
        EXPECT_GT(LitCount(RenderTextDepth("A", 80, 60, Options)), 0) << Font;
    }
}
