#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "Exception.h"
#include "ExpectMessage.h"
#include "JPEGImage.h"
#include "TestPictures.h"

namespace {

TJPEGImage Load(const std::vector<std::uint8_t>& Bytes) {
    TJPEGImage Jpeg;
    Jpeg.LoadFromBytes(Bytes);
    return Jpeg;
}

TBitmap Decode(const TJPEGImage& Jpeg) {
    TBitmap B;
    B.Assign(Jpeg);
    return B;
}

// Sets the size in the frame header, found after the first SOF0 or SOF2 marker.
void PatchFrameSize(std::vector<std::uint8_t>& Bytes, int Width, int Height) {
    for (std::size_t I = 0; I + 9 < Bytes.size(); ++I) {
        if (Bytes[I] == 0xFF && (Bytes[I + 1] == 0xC0 || Bytes[I + 1] == 0xC2)) {
            Bytes[I + 5] = std::uint8_t(Height >> 8);
            Bytes[I + 6] = std::uint8_t(Height);
            Bytes[I + 7] = std::uint8_t(Width >> 8);
            Bytes[I + 8] = std::uint8_t(Width);
            return;
        }
    }
    FAIL() << "no frame header";
}

void ExpectCloseTo(TColor32 Actual, TColor32 Expected, int Tolerance) {
    EXPECT_NEAR(RedOf(Actual), RedOf(Expected), Tolerance);
    EXPECT_NEAR(GreenOf(Actual), GreenOf(Expected), Tolerance);
    EXPECT_NEAR(BlueOf(Actual), BlueOf(Expected), Tolerance);
}

}  // namespace

TEST(JPEGImage, ColourDataDecodesToTwentyFourBitsOfItsOwnSize) {
    const TBitmap Ramp = ColourRamp(37, 21);
    const TJPEGImage Jpeg = Load(EncodeJpeg(Ramp));
    EXPECT_EQ(Jpeg.Width(), 37);
    EXPECT_EQ(Jpeg.Height(), 21);
    EXPECT_EQ(Jpeg.Components(), 3);
    const TBitmap B = Decode(Jpeg);
    ASSERT_EQ(B.PixelFormat(), pf24bit);
    ASSERT_EQ(B.Width(), 37);
    ASSERT_EQ(B.Height(), 21);
    for (const auto& [X, Y] : {std::pair{0, 0}, {36, 0}, {18, 10}, {36, 20}}) ExpectCloseTo(B.Pixel(X, Y), Ramp.Pixel(X, Y), 12);
}

TEST(JPEGImage, GreyDataDecodesToFullEightBitGrey) {
    TBitmap Ramp = ColourRamp(256, 4);
    const TJPEGImage Jpeg = Load(EncodeJpeg(Ramp, {.Grey = true}));
    EXPECT_EQ(Jpeg.Components(), 1);
    const TBitmap B = Decode(Jpeg);
    ASSERT_EQ(B.PixelFormat(), pf8bit);
    ASSERT_EQ(B.Palette().size(), 256u);
    for (int V = 0; V < 256; ++V) EXPECT_EQ(B.Palette()[std::size_t(V)], PackColor(std::uint8_t(V), std::uint8_t(V), std::uint8_t(V)));
    EXPECT_NEAR(RedOf(B.Pixel(200, 1)), 200, 4);
}

TEST(JPEGImage, DrawPutsTheDecodedPictureAtItsPlace) {
    const TJPEGImage Jpeg = Load(EncodeJpeg(ColourRamp(16, 16)));
    TBitmap Target(20, 20, pf24bit);
    Jpeg.Draw(Target, 4, 4);
    EXPECT_EQ(Target.Pixel(3, 3), clBlack);
    ExpectCloseTo(Target.Pixel(4, 4), Decode(Jpeg).Pixel(0, 0), 0);
    ExpectCloseTo(Target.Pixel(19, 19), Decode(Jpeg).Pixel(15, 15), 0);
}

TEST(JPEGImage, ScaleGivesTheDecodersRoundedUpSize) {
    TJPEGImage Jpeg = Load(EncodeJpeg(ColourRamp(33, 17)));
    Jpeg.SetScale(jsHalf);
    EXPECT_EQ(Jpeg.Width(), 17);
    EXPECT_EQ(Jpeg.Height(), 9);
    Jpeg.SetScale(jsEighth);
    const TBitmap B = Decode(Jpeg);
    EXPECT_EQ(B.Width(), 5);
    EXPECT_EQ(B.Height(), 3);
    EXPECT_EQ(Jpeg.Width(), 5);
}

TEST(JPEGImage, ChangingADecodeOptionDecodesAgain) {
    TJPEGImage Jpeg = Load(EncodeJpeg(ColourRamp(24, 24)));
    EXPECT_EQ(Decode(Jpeg).PixelFormat(), pf24bit);

    Jpeg.SetPixelFormat(jf8Bit);
    const TBitmap Palette = Decode(Jpeg);
    EXPECT_EQ(Palette.PixelFormat(), pf8bit);
    EXPECT_LE(Palette.Palette().size(), 256u);

    Jpeg.SetPixelFormat(jf24Bit);
    Jpeg.SetGrayscale(true);
    const TBitmap Grey = Decode(Jpeg);
    EXPECT_EQ(RedOf(Grey.Pixel(20, 20)), BlueOf(Grey.Pixel(20, 20)));

    Jpeg.SetGrayscale(false);
    Jpeg.SetPerformance(jpBestSpeed);
    const TBitmap Fast = Decode(Jpeg);
    EXPECT_EQ(Fast.PixelFormat(), pf24bit);
    EXPECT_NE(RedOf(Fast.Pixel(20, 20)), BlueOf(Fast.Pixel(20, 20)));
}

TEST(JPEGImage, ProgressiveDataDecodesInFull) {
    const TBitmap Ramp = ColourRamp(40, 30);
    const TJPEGImage Baseline = Load(EncodeJpeg(Ramp));
    const TJPEGImage Progressive = Load(EncodeJpeg(Ramp, {.Progressive = true}));
    const TBitmap A = Decode(Baseline), B = Decode(Progressive);
    ASSERT_EQ(B.Width(), 40);
    for (int Y = 0; Y < 30; Y += 7)
        for (int X = 0; X < 40; X += 7) ExpectCloseTo(B.Pixel(X, Y), A.Pixel(X, Y), 6);
}

TEST(JPEGImage, CopiesDecodeIndependently) {
    TJPEGImage Jpeg = Load(EncodeJpeg(ColourRamp(16, 8)));
    const auto Copy = Jpeg.Clone();
    Jpeg.SetScale(jsHalf);
    EXPECT_EQ(Copy->Width(), 16);
    EXPECT_EQ(Jpeg.Width(), 8);
}

TEST(JPEGImage, UnreadableHeaderIsAnInvalidPictureWithItsReason) {
    const auto Good = EncodeJpeg(ColourRamp(8, 8));
    auto Lossless = Good;
    Lossless[std::size_t(std::ranges::search(Lossless, std::array<std::uint8_t, 2>{0xFF, 0xC0}).begin() - Lossless.begin()) + 1] = 0xC3;
    TJPEGImage Jpeg = Load(Good);
    using enum TReadFailure;
    const std::pair<std::vector<std::uint8_t>, TReadFailure> Bad[] = {
        {{}, NotAPicture},
        {{'B', 'M', 0, 0}, NotAPicture},
        {std::vector<std::uint8_t>(Good.begin(), Good.begin() + 30), Damaged},
        {Lossless, Unsupported},
    };
    for (const auto& [Bytes, Failure] : Bad) {
        EXPECT_TRUE(RaisesInvalidGraphic([&] { Jpeg.LoadFromBytes(Bytes); }, Failure, "JPEG"));
        EXPECT_EQ(Jpeg.Width(), 8) << "a failed load keeps the picture";
    }
}

TEST(JPEGImage, HugeClaimedSizeIsRefusedAtLoad) {
    auto Bytes = EncodeJpeg(ColourRamp(8, 8));
    PatchFrameSize(Bytes, 60000, 60000);
    TJPEGImage Jpeg;
    EXPECT_THROW(Jpeg.LoadFromBytes(Bytes), EInvalidGraphic);
}

TEST(JPEGImage, DataCutShortDecodesWithAWarning) {
    for (const bool Progressive : {false, true}) {
        const auto Good = EncodeJpeg(ColourRamp(64, 64), {.Progressive = Progressive, .Quality = 100});
        const TJPEGImage Jpeg = Load(std::vector<std::uint8_t>(Good.begin(), Good.begin() + std::ptrdiff_t(Good.size() / 2)));
        EXPECT_TRUE(Jpeg.DecodeWarnings().empty()) << "nothing decoded yet";
        EXPECT_EQ(Decode(Jpeg).Height(), 64);
        EXPECT_FALSE(Jpeg.DecodeWarnings().empty());
    }
}

TEST(JPEGImage, CmykInksAreInvertedWhereAdobesMarkerSaysSo) {
    // Cyan 0, magenta 100 %, yellow 100 %, black 0 is red. Adobe's files store 255 − ink.
    const TBitmap Plain = Decode(Load(EncodeCmykJpeg(8, 8, {0, 255, 255, 0}, {.AdobeMarker = false})));
    const TBitmap Adobe = Decode(Load(EncodeCmykJpeg(8, 8, {255, 0, 0, 255})));
    ASSERT_EQ(Plain.PixelFormat(), pf24bit);
    ExpectCloseTo(Plain.Pixel(3, 3), PackColor(255, 0, 0), 1);
    ExpectCloseTo(Adobe.Pixel(3, 3), PackColor(255, 0, 0), 1);
    // Half of each ink, no black: 127.5 of 255 left of every colour.
    ExpectCloseTo(Decode(Load(EncodeCmykJpeg(8, 8, {128, 128, 128, 255}))).Pixel(0, 0), PackColor(128, 128, 128), 1);
}
