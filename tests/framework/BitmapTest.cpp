#include "Bitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Exception.h"

namespace {

constexpr TColor32 kRed = PackColor(255, 0, 0);
constexpr TColor32 kGreen = PackColor(0, 255, 0);
constexpr TColor32 kBlue = PackColor(0, 0, 255);

constexpr TPixelFormat kAllFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// Runs Action and returns the message of the EInvalidGraphic it raises ("" when none).
template <class F>
std::string InvalidGraphicMessage(F Action) {
    try {
        Action();
    } catch (const EInvalidGraphic& E) {
        return E.Message();
    }
    return "";
}

void Fill(TBitmap& B, TColor32 Color) {
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X) B.SetPixel(X, Y, Color);
}

}  // namespace

// ---- Formats and scan lines ----------------------------------------------------------------

TEST(BitmapFormat, DefaultBitmapIsEmptyAndTwentyFourBits) {
    const TBitmap B;
    EXPECT_EQ(B.PixelFormat(), pf24bit);
    EXPECT_EQ(B.Width(), 0);
    EXPECT_EQ(B.Height(), 0);
    EXPECT_TRUE(B.Empty());
}

TEST(BitmapFormat, RowsArePaddedToWholeWords) {
    const int Expected[] = {4, 4, 8, 12, 12, 16, 20};  // width 5, in the order of kAllFormats
    for (std::size_t I = 0; I < std::size(kAllFormats); ++I) {
        const TBitmap B(5, 2, kAllFormats[I]);
        EXPECT_EQ(B.RowBytes(), Expected[I]) << "format " << int(kAllFormats[I]);
        EXPECT_EQ(B.ScanLine(1) - B.ScanLine(0), Expected[I]);
    }
}

TEST(BitmapScanLine, PackedFormatsStoreTheFirstPixelInTheHighBits) {
    TBitmap Mono(10, 1, pf1bit);
    Mono.SetPixel(1, 0, clWhite);
    Mono.SetPixel(8, 0, clWhite);
    EXPECT_EQ(Mono.ScanLine(0)[0], 0x40);
    EXPECT_EQ(Mono.ScanLine(0)[1], 0x80);

    TBitmap Vga(3, 1, pf4bit);
    Vga.SetPixel(0, 0, clWhite);  // index 15
    Vga.SetPixel(1, 0, kRed);     // index 9
    Vga.SetPixel(2, 0, kBlue);    // index 12
    EXPECT_EQ(Vga.ScanLine(0)[0], 0xF9);
    EXPECT_EQ(Vga.ScanLine(0)[1], 0xC0);

    TBitmap Cube(1, 1, pf8bit);
    Cube.SetPixel(0, 0, PackColor(51, 102, 153));
    EXPECT_EQ(Cube.ScanLine(0)[0], 1 * 36 + 2 * 6 + 3);
}

TEST(BitmapScanLine, DirectFormatsStoreBlueFirst) {
    TBitmap B15(1, 1, pf15bit), B16(1, 1, pf16bit), B24(2, 1, pf24bit), B32(2, 1, pf32bit);
    B15.SetPixel(0, 0, kRed);
    EXPECT_EQ(B15.ScanLine(0)[0], 0x00);
    EXPECT_EQ(B15.ScanLine(0)[1], 0x7C);
    B16.SetPixel(0, 0, kGreen);
    EXPECT_EQ(B16.ScanLine(0)[0], 0xE0);
    EXPECT_EQ(B16.ScanLine(0)[1], 0x07);
    B24.SetPixel(1, 0, PackColor(30, 20, 10));
    EXPECT_EQ(B24.ScanLine(0)[3], 10);
    EXPECT_EQ(B24.ScanLine(0)[4], 20);
    EXPECT_EQ(B24.ScanLine(0)[5], 30);
    B32.SetPixel(1, 0, PackColor(30, 20, 10));
    EXPECT_EQ(B32.ScanLine(0)[4], 10);
    EXPECT_EQ(B32.ScanLine(0)[5], 20);
    EXPECT_EQ(B32.ScanLine(0)[6], 30);
    EXPECT_EQ(B32.ScanLine(0)[7], 0);
}

TEST(BitmapScanLine, SixteenBitPixelsReadBackWithTheirLowBitsFilledIn) {
    TBitmap B(1, 1, pf16bit);
    B.ScanLine(0)[0] = 0xFF;
    B.ScanLine(0)[1] = 0xFF;
    EXPECT_EQ(B.Pixel(0, 0), clWhite);
    B.SetPixel(0, 0, PackColor(8, 4, 8));
    EXPECT_EQ(B.Pixel(0, 0), PackColor(8, 4, 8));
}

TEST(BitmapScanLine, RowOutsideTheBitmapRaises) {
    TBitmap B(2, 3);
    const TBitmap& ConstB = B;
    EXPECT_EQ(InvalidGraphicMessage([&] { B.ScanLine(-1); }), "Zeilenindex außerhalb des Bildes");
    EXPECT_EQ(InvalidGraphicMessage([&] { B.ScanLine(3); }), "Zeilenindex außerhalb des Bildes");
    EXPECT_EQ(InvalidGraphicMessage([&] { ConstB.ScanLine(3); }), "Zeilenindex außerhalb des Bildes");
    EXPECT_THROW(TBitmap().ScanLine(0), EInvalidGraphic);
    EXPECT_NO_THROW(B.ScanLine(2));
}

TEST(BitmapPixel, OutsideTheBitmapReadsBlackAndWritesNothing) {
    TBitmap B(2, 2);
    Fill(B, clWhite);
    B.SetPixel(-1, 0, kRed);
    B.SetPixel(2, 0, kRed);
    B.SetPixel(0, 2, kRed);
    EXPECT_EQ(B.Pixel(-1, 0), clBlack);
    EXPECT_EQ(B.Pixel(0, 2), clBlack);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 2; ++X) EXPECT_EQ(B.Pixel(X, Y), clWhite);
}

// ---- Palettes ------------------------------------------------------------------------------

TEST(BitmapPalette, IndexPastThePaletteReadsBlack) {
    TBitmap B(3, 1, pf8bit);
    B.SetPalette({kRed, kBlue});
    B.ScanLine(0)[0] = 1;
    B.ScanLine(0)[1] = 2;
    B.ScanLine(0)[2] = 255;
    EXPECT_EQ(B.Pixel(0, 0), kBlue);
    EXPECT_EQ(B.Pixel(1, 0), clBlack);
    EXPECT_EQ(B.Pixel(2, 0), clBlack);
}

TEST(BitmapPalette, WritesPickTheNearestEntryAndKeepIndicesOnReplacement) {
    TBitmap B(2, 1, pf4bit);
    B.SetPixel(0, 0, PackColor(250, 10, 5));
    EXPECT_EQ(B.Pixel(0, 0), kRed);
    B.SetPalette({kGreen, kBlue, kGreen, kGreen, kGreen, kGreen, kGreen, kGreen, kGreen, clWhite});
    EXPECT_EQ(B.Pixel(0, 0), clWhite);  // index 9 kept
    EXPECT_EQ(B.Pixel(1, 0), kGreen);
}

TEST(BitmapPalette, PaletteIsCutToTheFormatAndIgnoredWithoutOne) {
    TBitmap Mono(1, 1, pf1bit);
    Mono.SetPalette({kRed, kGreen, kBlue});
    EXPECT_EQ(Mono.Palette().size(), 2u);
    TBitmap Direct(1, 1, pf24bit);
    Direct.SetPalette({kRed});
    EXPECT_TRUE(Direct.Palette().empty());
}

// ---- Sizes ---------------------------------------------------------------------------------

TEST(BitmapSize, ResizeKeepsTheSharedAreaAndBlacksTheRest) {
    TBitmap B(3, 2);
    Fill(B, kRed);
    B.SetSize(5, 3);
    EXPECT_EQ(B.Width(), 5);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_EQ(B.Pixel(2, 1), kRed);
    EXPECT_EQ(B.Pixel(3, 0), clBlack);
    EXPECT_EQ(B.Pixel(0, 2), clBlack);
    B.SetWidth(1);
    B.SetHeight(4);
    EXPECT_EQ(B.Pixel(0, 1), kRed);
    EXPECT_EQ(B.Pixel(0, 3), clBlack);
}

TEST(BitmapSize, PackedRowsWithOddWidthsKeepOnlyTheirPixels) {
    // Padding bits behind the last pixel must not turn into pixels when the row grows.
    TBitmap Mono(5, 2, pf1bit);
    Fill(Mono, clWhite);
    Mono.ScanLine(0)[0] = 0xFF;
    Mono.SetSize(11, 3);
    for (int X = 0; X < 11; ++X) EXPECT_EQ(Mono.Pixel(X, 0), X < 5 ? clWhite : clBlack) << X;
    EXPECT_EQ(Mono.Pixel(4, 1), clWhite);
    EXPECT_EQ(Mono.Pixel(4, 2), clBlack);
    Mono.SetSize(3, 3);
    Mono.SetSize(11, 3);
    for (int X = 0; X < 11; ++X) EXPECT_EQ(Mono.Pixel(X, 1), X < 3 ? clWhite : clBlack) << X;

    TBitmap Vga(3, 1, pf4bit);
    Fill(Vga, kBlue);
    Vga.ScanLine(0)[1] = 0xCC;
    Vga.SetSize(5, 1);
    EXPECT_EQ(Vga.Pixel(2, 0), kBlue);
    EXPECT_EQ(Vga.Pixel(3, 0), clBlack);
    EXPECT_EQ(Vga.Pixel(4, 0), clBlack);
}

TEST(BitmapSize, NegativeSizesCountAsZero) {
    TBitmap B(-4, 3);
    EXPECT_EQ(B.Width(), 0);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_TRUE(B.Empty());
    B.SetSize(2, -1);
    EXPECT_EQ(B.Width(), 2);
    EXPECT_EQ(B.Height(), 0);
}

TEST(BitmapSize, SizesPastTheLimitsRaiseAndKeepTheBitmap) {
    TBitmap B(2, 2);
    B.SetPixel(1, 1, kRed);
    EXPECT_EQ(InvalidGraphicMessage([&] { B.SetSize(MaxPictureSide + 1, 1); }), "Bild ist zu groß");
    EXPECT_EQ(InvalidGraphicMessage([&] { B.SetHeight(MaxPictureSide + 1); }), "Bild ist zu groß");
    EXPECT_EQ(InvalidGraphicMessage([&] { B.SetSize(MaxPictureSide, MaxPictureSide); }), "Bild ist zu groß");
    EXPECT_EQ(B.Width(), 2);
    EXPECT_EQ(B.Height(), 2);
    EXPECT_EQ(B.Pixel(1, 1), kRed);
    EXPECT_THROW(TBitmap(1, MaxPictureSide + 1), EInvalidGraphic);
}

TEST(BitmapSize, ByteLimitDependsOnThePixelFormat) {
    // 16384 × 5000 fits at 24 bits (240 MB) but not at 32 (320 MB).
    EXPECT_NO_THROW(CheckPictureSize(MaxPictureSide, 5000, 24));
    EXPECT_THROW(CheckPictureSize(MaxPictureSide, 5000, 32), EInvalidGraphic);
    EXPECT_NO_THROW(CheckPictureSize(MaxPictureSide, MaxPictureSide, 1));
}

// ---- Conversions ---------------------------------------------------------------------------

TEST(BitmapConversion, ColoursTheTargetCanHoldSurviveTheRoundTrip) {
    const TColor32 Colors[] = {clWhite, clBlack, kRed, kGreen, kBlue};  // the first two fit one bit
    for (const TPixelFormat Format : kAllFormats) {
        SCOPED_TRACE(testing::Message() << "format " << int(Format));
        const int Count = Format == pf1bit ? 2 : 5;
        TBitmap B(5, 3);
        for (int Y = 0; Y < 3; ++Y)
            for (int X = 0; X < 5; ++X) B.SetPixel(X, Y, Colors[(X + Y + 3) % Count]);
        B.SetPixelFormat(Format);
        EXPECT_EQ(B.PixelFormat(), Format);
        B.SetPixelFormat(pf24bit);
        EXPECT_EQ(B.Width(), 5);
        EXPECT_EQ(B.Height(), 3);
        for (int Y = 0; Y < 3; ++Y)
            for (int X = 0; X < 5; ++X) EXPECT_EQ(B.Pixel(X, Y), Colors[(X + Y + 3) % Count]) << X << "," << Y;
    }
}

TEST(BitmapConversion, PaletteFormatTakesTheNearestColour) {
    TBitmap B(2, 1);
    B.SetPixel(0, 0, PackColor(200, 30, 30));
    B.SetPixel(1, 0, PackColor(40, 40, 40));
    B.SetPixelFormat(pf1bit);
    EXPECT_EQ(B.Pixel(0, 0), clBlack);
    EXPECT_EQ(B.Pixel(1, 0), clBlack);
    B.SetPixelFormat(pf4bit);
    EXPECT_EQ(B.Palette().size(), 16u);
}

TEST(BitmapMonochrome, OnlyOneBitBlackAndWhiteIsMonochrome) {
    EXPECT_TRUE(TBitmap(1, 1, pf1bit).Monochrome());
    EXPECT_FALSE(TBitmap(1, 1, pf8bit).Monochrome());
    TBitmap Coloured(1, 1, pf1bit);
    Coloured.SetPalette({kRed, kBlue});
    EXPECT_FALSE(Coloured.Monochrome());
}

TEST(BitmapMonochrome, SwitchingOnQuantisesColoursAndOffGivesTwentyFourBits) {
    TBitmap B(3, 1);
    B.SetPixel(0, 0, clWhite);
    B.SetPixel(1, 0, PackColor(200, 200, 180));
    B.SetPixel(2, 0, kBlue);
    B.SetMonochrome(true);
    EXPECT_TRUE(B.Monochrome());
    EXPECT_EQ(B.Pixel(0, 0), clWhite);
    EXPECT_EQ(B.Pixel(1, 0), clWhite);
    EXPECT_EQ(B.Pixel(2, 0), clBlack);
    B.SetMonochrome(false);
    EXPECT_EQ(B.PixelFormat(), pf24bit);
    EXPECT_EQ(B.Pixel(0, 0), clWhite);
    EXPECT_EQ(B.Pixel(2, 0), clBlack);
}

TEST(BitmapMonochrome, ColouredOneBitBitmapIsRequantisedByColour) {
    TBitmap B(2, 1, pf1bit);
    B.SetPalette({clWhite, kRed});
    B.ScanLine(0)[0] = 0x40;  // pixel 0 index 0 (white), pixel 1 index 1 (red)
    B.SetMonochrome(true);
    EXPECT_TRUE(B.Monochrome());
    EXPECT_EQ(B.Pixel(0, 0), clWhite);
    EXPECT_EQ(B.Pixel(1, 0), clBlack);
}

// ---- Copies and drawing --------------------------------------------------------------------

TEST(BitmapCopy, AssignAndCloneAreDeep) {
    TBitmap Source(2, 1, pf8bit);
    Source.SetPixel(1, 0, kRed);
    TBitmap Copy;
    Copy.Assign(Source);
    const auto Clone = Source.Clone();
    Source.SetPixel(1, 0, kBlue);
    EXPECT_EQ(Copy.PixelFormat(), pf8bit);
    EXPECT_EQ(Copy.Pixel(1, 0), kRed);
    EXPECT_EQ(Clone->Width(), 2);
    EXPECT_EQ(static_cast<const TBitmap&>(*Clone).Pixel(1, 0), kRed);
}

TEST(BitmapDraw, ConvertsAndClipsOntoTheTarget) {
    TBitmap Source(3, 3, pf4bit);
    Fill(Source, kGreen);
    Source.SetPixel(2, 2, kRed);
    TBitmap Target(2, 2, pf32bit);
    Source.Draw(Target, -1, -1);
    EXPECT_EQ(Target.Width(), 2);
    EXPECT_EQ(Target.Pixel(0, 0), kGreen);
    EXPECT_EQ(Target.Pixel(1, 1), kRed);
    Source.Draw(Target, 2, 0);  // entirely outside
    EXPECT_EQ(Target.Pixel(1, 1), kRed);
}
