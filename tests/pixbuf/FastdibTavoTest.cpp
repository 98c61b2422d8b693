#include "FastdibTavo.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <vector>

#include "Bitmap.h"
#include "Exception.h"
#include "ExpectMessage.h"

namespace {

constexpr TColor32 kRed = PackColor(255, 0, 0);
constexpr TColor32 kGreen = PackColor(0, 255, 0);
constexpr TColor32 kBlue = PackColor(0, 0, 255);

TColor32 ReadPacked(const TFastDIBTavo& Buffer, int Row, int Column) {
    TFColor C{0, 0, 0};
    Buffer.ReadPixel(Row, Column, C);
    return PackColor(C.r, C.g, C.b);
}

// A 24-bit bitmap whose every pixel has its own colour: red = column, green = row.
TBitmap NumberedBitmap(int Width, int Height, TColor32 Tint = 0) {
    TBitmap B(Width, Height, pf24bit);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) B.SetPixel(X, Y, PackColor(std::uint8_t(X), std::uint8_t(Y), BlueOf(Tint)));
    return B;
}

}  // namespace

// ---- Layout and header ------------------------------------------------------------------

TEST(FastdibLayout, RowsArePaddedToWholeWordsAtEveryBitCount) {
    struct Case {
        int Bpp, Width, RowBytes, RowPadding;
    };
    const Case Cases[] = {
        {24, 5, 16, 1}, {24, 4, 12, 0}, {1, 5, 4, 4},  {1, 33, 8, 4}, {4, 5, 4, 2},
        {8, 5, 8, 3},   {16, 5, 12, 2}, {16, 4, 8, 0}, {32, 5, 20, 0},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Bpp << " bits, width " << C.Width);
        TFastDIBTavo Buffer;
        Buffer.SetSize(C.Width, 3, C.Bpp, 0);
        EXPECT_EQ(Buffer.Width(), C.Width);
        EXPECT_EQ(Buffer.Height, 3);
        EXPECT_EQ(Buffer.RowBytes, C.RowBytes);
        EXPECT_EQ(Buffer.RowPadding, C.RowPadding);
        EXPECT_EQ(Buffer.BitmapInfo.bmiHeader.biSizeImage, std::uint32_t(C.RowBytes * 3));
    }
}

TEST(FastdibLayout, HeaderDescribesTopDownRowsWithBitFieldsOnlyAt16And32Bits) {
    for (const int Bpp : {1, 4, 8, 16, 24, 32}) {
        SCOPED_TRACE(testing::Message() << Bpp << " bits");
        TFastDIBTavo Buffer;
        Buffer.SetSize(7, 5, Bpp, 0);
        const TBitmapInfoHeader& H = Buffer.BitmapInfo.bmiHeader;
        EXPECT_EQ(H.biSize, 40u);
        EXPECT_EQ(H.biPlanes, 1);
        EXPECT_EQ(H.biWidth, 7);
        EXPECT_EQ(H.biHeight, -5);
        EXPECT_EQ(H.biBitCount, Bpp);
        EXPECT_EQ(H.biCompression, (Bpp == 16 || Bpp == 32) ? BI_BITFIELDS : BI_RGB);
        EXPECT_EQ(H.biXPelsPerMeter, 0);
        EXPECT_EQ(H.biClrUsed, 0u);
    }
}

TEST(FastdibLayout, ZeroBitsPerPixelMeans24AndZeroCodeMeansTheDefaultLayout) {
    EXPECT_EQ(Detect16BitFormat(), 565);
    TFastDIBTavo Buffer;
    Buffer.SetSize(2, 2, 0, 0);
    EXPECT_EQ(Buffer.BitCount(), 24);
    EXPECT_EQ(Buffer.ChannelBits, 0);
    Buffer.SetSize(2, 2, 16, 0);
    EXPECT_EQ(Buffer.ChannelBits, 565);
    Buffer.SetSize(2, 2, 32, 0);
    EXPECT_EQ(Buffer.ChannelBits, 888);
}

TEST(FastdibLayout, RowViewsAllEqualTheRowTable) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(5, 4, 24, 0);
    for (int Row = 0; Row < Buffer.Height; ++Row) {
        const std::uint8_t* Start = Buffer.Bits + Row * Buffer.RowBytes;
        EXPECT_EQ(Buffer.RowTable[Row], Start);
        EXPECT_EQ(Buffer.Rows8[Row], Start);
        EXPECT_EQ(static_cast<const void*>(Buffer.Rows16[Row]), Start);
        EXPECT_EQ(static_cast<const void*>(Buffer.Rows24[Row]), Start);
        EXPECT_EQ(static_cast<const void*>(Buffer.Rows32[Row]), Start);
    }
}

// ---- Sizing ------------------------------------------------------------------------------

TEST(FastdibSizing, SameSizeAgainKeepsMemoryAndPixels) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(640, 480, 24, 0);
    const std::uint8_t* Memory = Buffer.Bits;
    Buffer.WritePixel(479, 639, TFColor{1, 2, 3});
    Buffer.SetSize(640, 480, 24, 0);
    EXPECT_EQ(Buffer.Bits, Memory);
    EXPECT_EQ(ReadPacked(Buffer, 479, 639), PackColor(3, 2, 1));
}

TEST(FastdibSizing, NewSizeGivesFreshBlackPixels) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(4, 4, 24, 0);
    Buffer.WritePixel(0, 0, TFColor{9, 9, 9});
    Buffer.SetSize(4, 5, 24, 0);
    EXPECT_EQ(Buffer.Height, 5);
    EXPECT_EQ(ReadPacked(Buffer, 0, 0), clBlack);
    EXPECT_EQ(ReadPacked(Buffer, 4, 3), clBlack);
}

TEST(FastdibSizing, NegativeHeightGivesTheSameTopDownLayout) {
    TFastDIBTavo Down, Up;
    Down.SetSize(640, -480, 24, 0);
    Up.SetSize(640, 480, 24, 0);
    EXPECT_EQ(Down.Height, 480);
    EXPECT_EQ(Down.BitmapInfo.bmiHeader.biHeight, -480);
    EXPECT_EQ(Down.RowBytes, Up.RowBytes);
    EXPECT_EQ(Down.Rows8[0], Down.Bits);
    EXPECT_EQ(Down.Rows8[479], Down.Bits + 479 * Down.RowBytes);
}

TEST(FastdibSizing, NegativeWidthGivesAnEmptyRow) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(-3, 2, 24, 0);
    EXPECT_EQ(Buffer.Width(), 0);
    EXPECT_EQ(Buffer.RowBytes, 0);
}

TEST(FastdibSizing, OversizedBufferIsRefusedAndTheOldOneStays) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(3, 2, 24, 0);
    Buffer.WritePixel(1, 2, TFColor{7, 8, 9});
    EXPECT_THROW(Buffer.SetSize(MaxPictureSide + 1, 1, 24, 0), EInvalidGraphic);
    EXPECT_THROW(Buffer.SetSize(1, -(MaxPictureSide + 1), 24, 0), EInvalidGraphic);
    EXPECT_THROW(Buffer.SetSize(1, std::numeric_limits<int>::min(), 24, 0), EInvalidGraphic);
    EXPECT_THROW(Buffer.SetSize(16000, 16000, 32, 0), EInvalidGraphic);
    EXPECT_THROW_MSG(Buffer.SetSize(3, 2, -24, 0), Exception, "Ungültige Farbtiefe: -24 Bit");
    EXPECT_EQ(Buffer.Width(), 3);
    EXPECT_EQ(Buffer.Height, 2);
    EXPECT_EQ(Buffer.BitCount(), 24);
    EXPECT_EQ(Buffer.RowBytes, 12);
    EXPECT_EQ(ReadPacked(Buffer, 1, 2), PackColor(9, 8, 7));
}

TEST(FastdibSizing, AttachBitsUsesCallerMemory) {
    std::array<std::uint8_t, 24> Memory{};  // 2 rows of 3 pixels, 12 bytes each
    TFastDIBTavo Buffer;
    Buffer.SetLayout(Memory.data(), 3, 2, 24, 0);
    EXPECT_EQ(Buffer.Bits, Memory.data());
    EXPECT_EQ(Buffer.Rows8[1], Memory.data() + 12);
    Buffer.WritePixel(1, 2, TFColor{4, 5, 6});
    EXPECT_EQ(Memory[18], 4);
    EXPECT_EQ(Memory[19], 5);
    EXPECT_EQ(Memory[20], 6);

    std::array<std::uint8_t, 24> Other{};
    Other[12] = 42;
    Buffer.AttachBits(Other.data());
    EXPECT_EQ(Buffer.Rows24[1][0].b, 42);
}

// ---- Pixels ------------------------------------------------------------------------------

TEST(FastdibPixels, TwentyFourBitPixelIsBlueGreenRedAtThreeTimesTheColumn) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(5, 4, 24, 0);
    Buffer.WritePixel(2, 3, TFColor{10, 20, 30});
    const std::uint8_t* Row = Buffer.Bits + 2 * Buffer.RowBytes;
    EXPECT_EQ(Row[9], 10);
    EXPECT_EQ(Row[10], 20);
    EXPECT_EQ(Row[11], 30);
    EXPECT_EQ(Row[8], 0);
    EXPECT_EQ(Row[12], 0);
    EXPECT_EQ(ReadPacked(Buffer, 2, 3), PackColor(30, 20, 10));
}

TEST(FastdibPixels, Layout565KeepsTheTopBitsOfEachChannel) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(2, 1, 16, 565);
    EXPECT_EQ(Buffer.ColorTable[0], 0xF800u);
    EXPECT_EQ(Buffer.ColorTable[1], 0x07E0u);
    EXPECT_EQ(Buffer.ColorTable[2], 0x001Fu);
    Buffer.WritePixel(0, 1, TFColor{255, 255, 255});
    EXPECT_EQ(Buffer.Rows16[0][1], 0xFFFF);
    EXPECT_EQ(Buffer.Rows16[0][0], 0);
    EXPECT_EQ(ReadPacked(Buffer, 0, 1), PackColor(248, 252, 248));
    // Only the dropped low bits are lost: green keeps six bits, red and blue five.
    Buffer.WritePixel(0, 0, TFColor{0x0F, 0x0F, 0xF0});
    EXPECT_EQ(Buffer.Rows16[0][0], (0x1E << 11) | (0x03 << 5) | 0x01);
    EXPECT_EQ(ReadPacked(Buffer, 0, 0), PackColor(0xF0, 0x0C, 0x08));
}

TEST(FastdibPixels, Layout555MasksAndShifts) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(1, 1, 16, 555);
    EXPECT_EQ(Buffer.ColorTable[0], 0x7C00u);
    EXPECT_EQ(Buffer.ColorTable[1], 0x03E0u);
    EXPECT_EQ(Buffer.ColorTable[2], 0x001Fu);
    EXPECT_EQ(Buffer.BlueShiftRight, 3);
    EXPECT_EQ(Buffer.GreenShiftRight, 3);
    EXPECT_EQ(Buffer.GreenShiftLeft, 5);
    EXPECT_EQ(Buffer.RedShiftRight, 3);
    EXPECT_EQ(Buffer.RedShiftLeft, 10);
    Buffer.WritePixel(0, 0, TFColor{255, 255, 255});
    EXPECT_EQ(Buffer.Rows16[0][0], 0x7FFF);
    EXPECT_EQ(ReadPacked(Buffer, 0, 0), PackColor(248, 248, 248));
}

TEST(FastdibPixels, Layout888LeavesTheFourthByteAlone) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(2, 1, 32, 0);
    EXPECT_EQ(Buffer.ColorTable[0], 0x00FF0000u);
    EXPECT_EQ(Buffer.ColorTable[1], 0x0000FF00u);
    EXPECT_EQ(Buffer.ColorTable[2], 0x000000FFu);
    EXPECT_EQ(Buffer.GreenShiftLeft, 8);
    EXPECT_EQ(Buffer.RedShiftLeft, 16);
    Buffer.Bits[7] = 0xAB;
    Buffer.WritePixel(0, 1, TFColor{1, 2, 3});
    EXPECT_EQ(Buffer.Bits[4], 1);
    EXPECT_EQ(Buffer.Bits[5], 2);
    EXPECT_EQ(Buffer.Bits[6], 3);
    EXPECT_EQ(Buffer.Bits[7], 0xAB);
    EXPECT_EQ(ReadPacked(Buffer, 0, 1), PackColor(3, 2, 1));
}

// ---- Loading from a bitmap -----------------------------------------------------------------

TEST(FastdibLoad, TwentyFourBitBitmapLandsTopRowFirst) {
    const TBitmap Source = NumberedBitmap(100, 50, kBlue);
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(Source, 24, 0);
    EXPECT_EQ(Buffer.Width(), 100);
    EXPECT_EQ(Buffer.Height, 50);
    EXPECT_EQ(Buffer.RowBytes, 300);
    EXPECT_EQ(ReadPacked(Buffer, 0, 0), PackColor(0, 0, 255));
    EXPECT_EQ(ReadPacked(Buffer, 0, 99), PackColor(99, 0, 255));
    EXPECT_EQ(ReadPacked(Buffer, 49, 7), PackColor(7, 49, 255));
}

TEST(FastdibLoad, EveryPixelFormatArrivesAsTwentyFourBits) {
    // Colours every format can hold exactly, set out so that no two rows are alike.
    const TColor32 Colors[] = {kRed, kBlue, clWhite, kGreen};
    for (const TPixelFormat Format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(testing::Message() << "format " << int(Format));
        TBitmap Source(5, 3, Format);
        if (Format == pf1bit) Source.SetPalette({kRed, kBlue});
        const int Count = Format == pf1bit ? 2 : 4;
        for (int Y = 0; Y < 3; ++Y)
            for (int X = 0; X < 5; ++X) Source.SetPixel(X, Y, Colors[(X + Y * 3) % Count]);

        TFastDIBTavo Buffer;
        Buffer.LoadFromBitmap(Source, 24, 0);
        ASSERT_EQ(Buffer.BitCount(), 24);
        ASSERT_EQ(Buffer.Width(), 5);
        ASSERT_EQ(Buffer.Height, 3);
        for (int Y = 0; Y < 3; ++Y)
            for (int X = 0; X < 5; ++X) EXPECT_EQ(ReadPacked(Buffer, Y, X), Colors[(X + Y * 3) % Count]) << X << "," << Y;
    }
}

TEST(FastdibLoad, ZeroBitsPerPixelTakesTheBitmapsOwn) {
    TBitmap Source(2, 2, pf32bit);
    Source.SetPixel(1, 1, PackColor(1, 2, 3));
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(Source, 0, 0);
    EXPECT_EQ(Buffer.BitCount(), 32);
    EXPECT_EQ(Buffer.ChannelBits, 888);
    EXPECT_EQ(ReadPacked(Buffer, 1, 1), PackColor(1, 2, 3));
}

TEST(FastdibLoad, ConvertsToSixteenBitsOnRequest) {
    TBitmap Source(1, 1, pf24bit);
    Source.SetPixel(0, 0, clWhite);
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(Source, 16, 565);
    EXPECT_EQ(Buffer.Rows16[0][0], 0xFFFF);
}

TEST(FastdibLoad, EmptyBitmapGivesAnEmptyBufferThatDrawsNothing) {
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(NumberedBitmap(4, 4), 24, 0);
    for (const TBitmap& Empty : {TBitmap(), TBitmap(5, 0), TBitmap(0, 5)}) {
        Buffer.LoadFromBitmap(Empty, 24, 0);
        EXPECT_EQ(Buffer.Width(), 0);
        EXPECT_EQ(Buffer.Height, 0);
        TBitmap Target(2, 2);
        Target.SetPixel(0, 0, kGreen);
        Buffer.Draw(Target, 0, 0);
        EXPECT_EQ(Target.Pixel(0, 0), kGreen);
        EXPECT_EQ(Target.Pixel(1, 1), clBlack);
    }
}

// ---- Drawing -----------------------------------------------------------------------------

TEST(FastdibDraw, CopiesOneToOneAtTheGivenPosition) {
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(NumberedBitmap(3, 2, kBlue), 24, 0);
    TBitmap Target(5, 4);
    Target.SetPixel(0, 0, kGreen);
    Buffer.Draw(Target, 1, 2);
    EXPECT_EQ(Target.Pixel(0, 0), kGreen);
    EXPECT_EQ(Target.Pixel(1, 1), clBlack);
    EXPECT_EQ(Target.Pixel(1, 2), PackColor(0, 0, 255));
    EXPECT_EQ(Target.Pixel(3, 3), PackColor(2, 1, 255));
    EXPECT_EQ(Target.Pixel(4, 3), clBlack);
}

TEST(FastdibDraw, SmallerTargetGetsTheOverlapAndKeepsItsSize) {
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(NumberedBitmap(6, 5, kBlue), 24, 0);
    TBitmap Target(2, 3);
    Buffer.Draw(Target, 0, 0);
    EXPECT_EQ(Target.Width(), 2);
    EXPECT_EQ(Target.Height(), 3);
    EXPECT_EQ(Target.Pixel(1, 2), PackColor(1, 2, 255));
}

TEST(FastdibDraw, NegativeOffsetsCutOffTheTopLeft) {
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(NumberedBitmap(4, 4, kBlue), 24, 0);
    TBitmap Target(4, 4);
    Buffer.Draw(Target, -1, -2);
    EXPECT_EQ(Target.Pixel(0, 0), PackColor(1, 2, 255));
    EXPECT_EQ(Target.Pixel(2, 1), PackColor(3, 3, 255));
    EXPECT_EQ(Target.Pixel(3, 1), clBlack);
    EXPECT_EQ(Target.Pixel(0, 2), clBlack);

    TBitmap Untouched(2, 2);
    Buffer.Draw(Untouched, -4, 0);
    Buffer.Draw(Untouched, 0, 2);
    EXPECT_EQ(Untouched.Pixel(0, 0), clBlack);
    EXPECT_EQ(Untouched.Pixel(1, 1), clBlack);
}

TEST(FastdibDraw, FreshBufferDrawsNothing) {
    const TFastDIBTavo Buffer;
    TBitmap Target(2, 2);
    Target.SetPixel(1, 1, kRed);
    Buffer.Draw(Target, 0, 0);
    EXPECT_EQ(Target.Pixel(1, 1), kRed);
}

TEST(FastdibDraw, ReadsOnlyThePixelMemoryHeld) {
    // Width, height or bit count changed after sizing reach past the rows held; under the
    // address sanitizer a read beyond them fails the test. Rows of 12 bytes: 4 pixels.
    TFastDIBTavo Buffer;
    Buffer.LoadFromBitmap(NumberedBitmap(3, 2, kBlue), 24, 0);
    Buffer.SetWidth(1000);
    Buffer.Height = 1000;
    TBitmap Target(8, 8);
    Buffer.Draw(Target, 0, 0);
    EXPECT_EQ(Target.Pixel(2, 1), PackColor(2, 1, 255));
    Buffer.BitmapInfo.bmiHeader.biBitCount = 32;
    Buffer.Draw(Target, 0, 0);
    Buffer.BitmapInfo.bmiHeader.biBitCount = 0;  // draws nothing
    Buffer.Draw(Target, 0, 0);
}

TEST(FastdibDraw, ConvertsToTheTargetsFormat) {
    TFastDIBTavo Buffer;
    Buffer.SetSize(2, 1, 16, 565);
    Buffer.WritePixel(0, 0, TFColor{255, 255, 255});
    TBitmap Target(2, 1, pf32bit);
    Buffer.Draw(Target, 0, 0);
    EXPECT_EQ(Target.Pixel(0, 0), PackColor(248, 252, 248));
    EXPECT_EQ(Target.Pixel(1, 0), clBlack);
}
