#include <gtest/gtest.h>

#include <vector>

#include "DepthMapTools.h"

namespace {

TBitmap GreyRow(const std::vector<std::uint8_t>& Levels) {
    TBitmap Row(int(Levels.size()), 1, pf24bit);
    for (std::size_t X = 0; X < Levels.size(); ++X) Row.SetPixel(int(X), 0, PackColor(Levels[X], Levels[X], Levels[X]));
    return Row;
}

// Each pixel's grey level, row by row; -1 for a pixel that is not grey.
std::vector<std::vector<int>> Levels(const TBitmap& Picture) {
    std::vector<std::vector<int>> Rows(std::size_t(Picture.Height()));
    for (int Y = 0; Y < Picture.Height(); ++Y)
        for (int X = 0; X < Picture.Width(); ++X) {
            const TColor32 C = Picture.Pixel(X, Y);
            Rows[std::size_t(Y)].push_back(RedOf(C) == GreenOf(C) && GreenOf(C) == BlueOf(C) ? RedOf(C) : -1);
        }
    return Rows;
}

using Grid = std::vector<std::vector<int>>;

}  // namespace

TEST(DepthMapTools, InvertTurnsEveryChannelOver) {
    TBitmap Depth(2, 1, pf8bit);
    Depth.SetPixel(0, 0, clBlack);
    TBitmap Colour(1, 1, pf24bit);
    Colour.SetPixel(0, 0, PackColor(10, 20, 30));
    EXPECT_EQ(Levels(InvertDepth(Depth)), (Grid{{255, 255}}));
    EXPECT_EQ(InvertDepth(Colour).Pixel(0, 0), PackColor(245, 235, 225));
    EXPECT_EQ(InvertDepth(Depth).PixelFormat(), pf24bit);
}

TEST(DepthMapTools, FitAveragesWhenShrinkingInterpolatesWhenGrowingAndCentresOnBlack) {
    // 4 × 1 into 2 × 2: halved to 2 × 1 at the top (the spare row goes below).
    EXPECT_EQ(Levels(FitDepth(GreyRow({0, 100, 200, 255}), 2, 2)), (Grid{{50, 228}, {0, 0}}));
    // 2 × 1 into 4 × 3: doubled to 4 × 2; pixel centres 0.25 and 0.75 of the way across.
    EXPECT_EQ(Levels(FitDepth(GreyRow({0, 255}), 4, 3)), (Grid{{0, 64, 191, 255}, {0, 64, 191, 255}, {0, 0, 0, 0}}));
    // The aspect is kept: a square in a wide output, black either side.
    TBitmap White(2, 2, pf24bit);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 2; ++X) White.SetPixel(X, Y, clWhite);
    EXPECT_EQ(Levels(FitDepth(White, 6, 2)), (Grid{{0, 0, 255, 255, 0, 0}, {0, 0, 255, 255, 0, 0}}));
    EXPECT_TRUE(FitDepth(TBitmap(), 6, 2).Empty());
}

TEST(DepthMapTools, LevelsInOutputArePlacedAsTheGeneratorPlacesThem) {
    // A map wider than the output: its middle part, offset (2 − 4) div 2 = −1; one row down.
    EXPECT_EQ(Levels(DepthLevelsInOutput(GreyRow({10, 20, 30, 40}), 2, 3)), (Grid{{0, 0}, {20, 30}, {0, 0}}));
    // A colour pixel reads as the level its packed colour gives: blue 255 is 16711680 / 65793 = 254.
    TBitmap Blue(1, 1, pf24bit);
    Blue.SetPixel(0, 0, PackColor(0, 0, 255));
    EXPECT_EQ(Levels(DepthLevelsInOutput(Blue, 3, 1)), (Grid{{0, 254, 0}}));
}
