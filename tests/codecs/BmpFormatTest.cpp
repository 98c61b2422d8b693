#include <gtest/gtest.h>

#include "BmpFormat.h"
#include "Exception.h"
#include "ExpectMessage.h"

namespace {

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3 };

struct TBmpSpec {
    std::int32_t Width = 2;
    std::int32_t Height = 2;
    std::uint16_t Bits = 24;
    std::uint32_t Compression = BI_RGB;
    std::vector<TColor32> Palette{};
    std::vector<std::uint32_t> Masks{};
    std::vector<std::uint8_t> Pixels{};  // as stored in the file, rows padded by the test
};

void Put(std::vector<std::uint8_t>& Out, std::uint32_t V, int Bytes) {
    for (int I = 0; I < Bytes; ++I) Out.push_back(std::uint8_t(V >> (8 * I)));
}

// A bitmap file with a 40-byte info header, masks after it, then palette and pixels.
std::vector<std::uint8_t> MakeBmp(const TBmpSpec& S) {
    const std::uint32_t Offset = 54 + std::uint32_t(S.Masks.size() * 4 + S.Palette.size() * 4);
    std::vector<std::uint8_t> Out{'B', 'M'};
    Put(Out, Offset + std::uint32_t(S.Pixels.size()), 4);
    Put(Out, 0, 4);
    Put(Out, Offset, 4);
    Put(Out, 40, 4);
    Put(Out, std::uint32_t(S.Width), 4);
    Put(Out, std::uint32_t(S.Height), 4);
    Put(Out, 1, 2);
    Put(Out, S.Bits, 2);
    Put(Out, S.Compression, 4);
    Put(Out, std::uint32_t(S.Pixels.size()), 4);
    Put(Out, 2835, 4);
    Put(Out, 2835, 4);
    Put(Out, std::uint32_t(S.Palette.size()), 4);
    Put(Out, 0, 4);
    for (std::uint32_t M : S.Masks) Put(Out, M, 4);
    for (TColor32 C : S.Palette) Put(Out, PackColor(BlueOf(C), GreenOf(C), RedOf(C)), 4);
    Out.insert(Out.end(), S.Pixels.begin(), S.Pixels.end());
    return Out;
}

TBitmap Read(const std::vector<std::uint8_t>& Bytes) { return ReadBmp(Bytes); }

constexpr TColor32 Red = PackColor(255, 0, 0), Green = PackColor(0, 255, 0), Blue = PackColor(0, 0, 255);

}  // namespace

TEST(BmpFormat, TwentyFourBitsBottomUpAndTopDownGiveTheSamePicture) {
    // Bottom row first: blue, green; then the top row: red, white. Rows padded to 8 bytes.
    const std::vector<std::uint8_t> BottomUp{255, 0, 0, 0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0, 0};
    const TBitmap B = Read(MakeBmp({.Pixels = BottomUp}));
    ASSERT_EQ(B.PixelFormat(), pf24bit);
    EXPECT_EQ(B.Pixel(0, 0), Red);
    EXPECT_EQ(B.Pixel(1, 0), clWhite);
    EXPECT_EQ(B.Pixel(0, 1), Blue);
    EXPECT_EQ(B.Pixel(1, 1), Green);

    std::vector<std::uint8_t> TopDown(BottomUp.begin() + 8, BottomUp.end());
    TopDown.insert(TopDown.end(), BottomUp.begin(), BottomUp.begin() + 8);
    const TBitmap T = Read(MakeBmp({.Height = -2, .Pixels = TopDown}));
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 2; ++X) EXPECT_EQ(T.Pixel(X, Y), B.Pixel(X, Y));
}

TEST(BmpFormat, PaletteFormatsKeepTheirFormatAndPalette) {
    const TBitmap One = Read(MakeBmp({.Width = 9, .Height = 1, .Bits = 1, .Palette = {clBlack, clWhite}, .Pixels = {0x80, 0x80, 0, 0}}));
    EXPECT_EQ(One.PixelFormat(), pf1bit);
    EXPECT_TRUE(One.Monochrome());
    EXPECT_EQ(One.Pixel(0, 0), clWhite);
    EXPECT_EQ(One.Pixel(1, 0), clBlack);
    EXPECT_EQ(One.Pixel(8, 0), clWhite);

    const TBitmap Four = Read(MakeBmp({.Width = 3, .Height = 1, .Bits = 4, .Palette = {Red, Green, Blue}, .Pixels = {0x12, 0x00, 0, 0}}));
    EXPECT_EQ(Four.PixelFormat(), pf4bit);
    EXPECT_EQ(Four.Pixel(0, 0), Green);
    EXPECT_EQ(Four.Pixel(1, 0), Blue);
    EXPECT_EQ(Four.Pixel(2, 0), Red);

    const TBitmap Eight = Read(MakeBmp({.Width = 2, .Height = 1, .Bits = 8, .Palette = {Red, Green, Blue}, .Pixels = {2, 0, 0, 0}}));
    EXPECT_EQ(Eight.PixelFormat(), pf8bit);
    ASSERT_EQ(Eight.Palette().size(), 3u);
    EXPECT_EQ(Eight.Pixel(0, 0), Blue);
    EXPECT_EQ(Eight.Pixel(1, 0), Red);
}

TEST(BmpFormat, PaletteIndexPastThePaletteReadsBlack) {
    const TBitmap B = Read(MakeBmp({.Width = 2, .Height = 1, .Bits = 8, .Palette = {Red, Green}, .Pixels = {1, 200, 0, 0}}));
    EXPECT_EQ(B.Pixel(0, 0), Green);
    EXPECT_EQ(B.Pixel(1, 0), clBlack);
}

TEST(BmpFormat, SixteenAndThirtyTwoBitLayouts) {
    // 5-5-5 without masks, 5-6-5 and 4-4-4 through masks, 32 bits plain.
    const TBitmap P555 = Read(MakeBmp({.Width = 1, .Height = 1, .Bits = 16, .Pixels = {0x00, 0x7C, 0, 0}}));
    EXPECT_EQ(P555.PixelFormat(), pf15bit);
    EXPECT_EQ(P555.Pixel(0, 0), Red);
    const TBitmap P565 = Read(MakeBmp({.Width = 1, .Height = 1, .Bits = 16, .Compression = BI_BITFIELDS,
                                       .Masks = {0xF800, 0x07E0, 0x001F}, .Pixels = {0xE0, 0x07, 0, 0}}));
    EXPECT_EQ(P565.PixelFormat(), pf16bit);
    EXPECT_EQ(P565.Pixel(0, 0), Green);
    const TBitmap P444 = Read(MakeBmp({.Width = 1, .Height = 1, .Bits = 16, .Compression = BI_BITFIELDS,
                                       .Masks = {0x0F00, 0x00F0, 0x000F}, .Pixels = {0x0F, 0x0F, 0, 0}}));
    EXPECT_EQ(P444.PixelFormat(), pf24bit);
    EXPECT_EQ(P444.Pixel(0, 0), PackColor(255, 0, 255));
    const TBitmap P32 = Read(MakeBmp({.Width = 1, .Height = 1, .Bits = 32, .Pixels = {10, 20, 30, 0}}));
    EXPECT_EQ(P32.PixelFormat(), pf32bit);
    EXPECT_EQ(P32.Pixel(0, 0), PackColor(30, 20, 10));
}

TEST(BmpFormat, OldCoreHeaderWithThreeBytePalette) {
    std::vector<std::uint8_t> F{'B', 'M'};
    Put(F, 0, 4);
    Put(F, 0, 4);
    Put(F, 14 + 12 + 6, 4);
    Put(F, 12, 4);
    Put(F, 2, 2);  // width
    Put(F, 1, 2);  // height
    Put(F, 1, 2);
    Put(F, 1, 2);  // 1 bit
    F.insert(F.end(), {0, 0, 255, 255, 0, 0});  // red, blue
    F.insert(F.end(), {0x40, 0, 0, 0});
    const TBitmap B = ReadBmp(F);
    ASSERT_EQ(B.PixelFormat(), pf1bit);
    EXPECT_EQ(B.Pixel(0, 0), Red);
    EXPECT_EQ(B.Pixel(1, 0), Blue);
}

TEST(BmpFormat, RleRunsDeltasAndLiteralsLandInTheirRows) {
    // Bottom row: a run of 2 × index 1, a literal run 2, 1, 2, end of row; top row: a
    // move by 1 right, one pixel of index 2, end of picture.
    const std::vector<std::uint8_t> Rle8{2, 1, 0, 3, 2, 1, 2, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1};
    const TBitmap B = Read(MakeBmp({.Width = 5, .Height = 2, .Bits = 8, .Compression = BI_RLE8,
                                    .Palette = {clBlack, Red, Green}, .Pixels = Rle8}));
    ASSERT_EQ(B.PixelFormat(), pf8bit);
    const TColor32 Bottom[5] = {Red, Red, Green, Red, Green};
    for (int X = 0; X < 5; ++X) EXPECT_EQ(B.Pixel(X, 1), Bottom[X]) << X;
    EXPECT_EQ(B.Pixel(0, 0), clBlack);
    EXPECT_EQ(B.Pixel(1, 0), Green);

    // RLE4: a run of 3 alternating 1, 2 and a literal of 1 pixel.
    const std::vector<std::uint8_t> Rle4{3, 0x12, 0, 3, 0x21, 0x20, 0, 1};
    const TBitmap F = Read(MakeBmp({.Width = 6, .Height = 1, .Bits = 4, .Compression = BI_RLE4,
                                    .Palette = {clBlack, Red, Green}, .Pixels = Rle4}));
    ASSERT_EQ(F.PixelFormat(), pf4bit);
    const TColor32 Row[6] = {Red, Green, Red, Green, Red, Green};
    for (int X = 0; X < 6; ++X) EXPECT_EQ(F.Pixel(X, 0), Row[X]) << X;
}

TEST(BmpFormat, RleThatOverrunsTheRowOrPictureIsCutOff) {
    // A run of 255 in a 3-pixel row, then a move far below the picture, then more runs.
    const std::vector<std::uint8_t> Rle8{255, 1, 0, 0, 0, 2, 200, 200, 9, 1, 0, 3, 1, 1, 1, 0};
    const TBitmap B = Read(MakeBmp({.Width = 3, .Height = 2, .Bits = 8, .Compression = BI_RLE8,
                                    .Palette = {clBlack, Red}, .Pixels = Rle8}));
    for (int X = 0; X < 3; ++X) EXPECT_EQ(B.Pixel(X, 1), Red);
    for (int X = 0; X < 3; ++X) EXPECT_EQ(B.Pixel(X, 0), clBlack);

    // Data that stops between two codes leaves the rest black.
    const TBitmap Short = Read(MakeBmp({.Width = 3, .Height = 2, .Bits = 8, .Compression = BI_RLE8,
                                        .Palette = {clBlack, Red}, .Pixels = {2, 1}}));
    EXPECT_EQ(Short.Pixel(1, 1), Red);
    EXPECT_EQ(Short.Pixel(2, 1), clBlack);
}

TEST(BmpFormat, HostileFilesAreInvalidPicturesWithTheirReason) {
    const std::vector<std::uint8_t> Good = MakeBmp({.Pixels = std::vector<std::uint8_t>(16, 7)});
    ASSERT_NO_THROW(Read(Good));
    std::vector<std::uint8_t> NotBmp = Good;
    NotBmp[0] = 'X';
    std::vector<std::uint8_t> OldHeader = Good;
    OldHeader[14] = 16;  // a 16-byte header of OS/2 2.x
    using enum TReadFailure;
    const std::vector<std::pair<std::vector<std::uint8_t>, TReadFailure>> Bad{
        {{'B', 'M', 0}, Damaged},
        {NotBmp, NotAPicture},
        {OldHeader, Unsupported},
        {std::vector<std::uint8_t>(Good.begin(), Good.end() - 1), Damaged},     // pixels cut
        {std::vector<std::uint8_t>(Good.begin(), Good.begin() + 30), Damaged},  // header cut
        {MakeBmp({.Width = 100000, .Height = 100000, .Pixels = {}}), TooLarge},
        {MakeBmp({.Width = 8000, .Height = 8000, .Pixels = {}}), Damaged},      // within the limits, no data
        {MakeBmp({.Width = 0, .Height = 2, .Pixels = {}}), Damaged},
        {MakeBmp({.Width = -3, .Height = 2, .Pixels = std::vector<std::uint8_t>(16)}), Damaged},
        {MakeBmp({.Width = 2, .Height = 0, .Pixels = {}}), Damaged},
        {MakeBmp({.Width = 2, .Height = INT32_MIN, .Pixels = {}}), TooLarge},
        {MakeBmp({.Bits = 24, .Compression = BI_RLE8, .Pixels = std::vector<std::uint8_t>(16)}), Unsupported},
        {MakeBmp({.Bits = 7, .Pixels = std::vector<std::uint8_t>(16)}), Unsupported},
        {MakeBmp({.Width = 2, .Height = 1, .Bits = 8, .Compression = BI_RLE8, .Palette = {Red}, .Pixels = {0, 5, 1}}), Damaged},  // literal cut
        {MakeBmp({.Width = 40000, .Height = 40000, .Bits = 8, .Compression = BI_RLE8, .Pixels = {0, 1}}), TooLarge},
        // Run-length data far too short for its picture: no more than 255 pixels per code.
        {MakeBmp({.Width = 5000, .Height = 5000, .Bits = 8, .Compression = BI_RLE8, .Pixels = std::vector<std::uint8_t>(1000, 1)}), Damaged},
    };
    for (std::size_t I = 0; I < Bad.size(); ++I) EXPECT_TRUE(RaisesInvalidGraphic([&] { Read(Bad[I].first); }, Bad[I].second, "BMP")) << "case " << I;
}

TEST(BmpFormat, RunLengthDataMustBeAbleToFillAPictureBeyond4096By4096) {
    // At 255 pixels per two-byte code, 4097 × 4096 pixels need 65810 codes.
    const auto Rle = [](int Codes) {
        return MakeBmp({.Width = 4097, .Height = 4096, .Bits = 8, .Compression = BI_RLE8, .Pixels = std::vector<std::uint8_t>(2 * std::size_t(Codes), 0)});
    };
    EXPECT_EQ(Read(Rle(65810)).Width(), 4097);
    EXPECT_THROW(Read(Rle(65809)), EInvalidGraphic);
}

TEST(BmpFormat, EmptyDataIsABitmapWithoutPixels) {
    const TBitmap B = ReadBmp({});
    EXPECT_TRUE(B.Empty());
}

TEST(BmpFormat, WrittenFileReadsBackAsTwentyFourBits) {
    TBitmap Source(3, 2, pf8bit);
    Source.SetPalette({clBlack, Red, Green, Blue});
    Source.SetPixel(0, 0, Red);
    Source.SetPixel(2, 1, Blue);
    Source.SetPixel(1, 1, Green);
    const TBitmap B = Read(WriteBmp(Source));
    ASSERT_EQ(B.PixelFormat(), pf24bit);
    ASSERT_EQ(B.Width(), 3);
    ASSERT_EQ(B.Height(), 2);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 3; ++X) EXPECT_EQ(B.Pixel(X, Y), Source.Pixel(X, Y));
}
