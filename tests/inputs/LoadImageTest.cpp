#include <gtest/gtest.h>

#include "BmpFormat.h"
#include "Exception.h"
#include "JPEGImage.h"
#include "SampleLoaders.h"
#include "TestPictures.h"

namespace {

// A picture that starts as a 7 × 5 one-bit bitmap, to see whether loading changed it.
TPicture Untouched() {
    TPicture P;
    P.SetGraphic(std::make_unique<TBitmap>(7, 5, pf1bit));
    return P;
}

void ExpectUntouched(const TPicture& P) {
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_EQ(P.Width(), 7);
    EXPECT_EQ(P.Height(), 5);
    EXPECT_EQ(P.Bitmap().PixelFormat(), pf1bit);
}

}  // namespace

TEST(LoadImage, UnreadableFilesChangeNothingAndReportNothing) {
    const TTempDir Dir;
    const auto Jpeg = EncodeJpeg(ColourRamp(9, 9));
    WriteBytes(Dir.File("text.bmp"), {'B', 'A', 'D'});
    WriteBytes(Dir.File("bitmap-header.jpg"), std::vector<std::uint8_t>(10, 'B'));
    WriteBytes(Dir.File("header.jpg"), std::vector<std::uint8_t>(Jpeg.begin(), Jpeg.begin() + 20));
    for (const char* Name : {"text.bmp", "bitmap-header.jpg", "header.jpg"}) {
        TPicture P = Untouched();
        EXPECT_NO_THROW(LoadImage(P, Dir.File(Name))) << Name;
        ExpectUntouched(P);
    }
}

TEST(LoadImage, FileThatCannotBeOpenedRaisesAndChangesNothing) {
    const TTempDir Dir;
    TPicture P = Untouched();
    EXPECT_THROW(LoadImage(P, Dir.File("missing.jpg")), Exception);
    ExpectUntouched(P);
}

TEST(LoadImage, GreyJpegArrivesAsTwentyFourBitsWithEqualChannels) {
    const TTempDir Dir;
    WriteBytes(Dir.File("grey.jpg"), EncodeJpeg(ColourRamp(30, 20), {.Grey = true}));
    TPicture P = Untouched();
    LoadImage(P, Dir.File("grey.jpg"));
    const TBitmap& B = P.Bitmap();
    ASSERT_EQ(B.PixelFormat(), pf24bit);
    ASSERT_EQ(B.Width(), 30);
    ASSERT_EQ(B.Height(), 20);
    for (int X = 0; X < 30; X += 3) {
        const TColor32 C = B.Pixel(X, 10);
        EXPECT_EQ(RedOf(C), GreenOf(C));
        EXPECT_EQ(RedOf(C), BlueOf(C));
    }
    EXPECT_GT(RedOf(B.Pixel(29, 10)), RedOf(B.Pixel(0, 10)));
}

TEST(LoadImage, ProgressiveJpegIsDecodedInFull) {
    const TTempDir Dir;
    const TBitmap Ramp = ColourRamp(48, 40);
    WriteBytes(Dir.File("progressive.jpeg"), EncodeJpeg(Ramp, {.Progressive = true}));
    TPicture P;
    LoadImage(P, Dir.File("progressive.jpeg"));
    ASSERT_EQ(P.Bitmap().Width(), 48);
    for (int Y = 0; Y < 40; Y += 13)
        for (int X = 0; X < 48; X += 13) EXPECT_NEAR(RedOf(P.Bitmap().Pixel(X, Y)), RedOf(Ramp.Pixel(X, Y)), 12);
}

TEST(LoadImage, BitmapFilesKeepTheirPixelFormat) {
    const TTempDir Dir;
    // A palette bitmap through the writer would arrive as 24 bits, so this one is made by
    // hand: file header, info header, two palette entries, 3 rows of 8 bytes.
    std::vector<std::uint8_t> File{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 62, 0, 0, 0, 40, 0, 0, 0, 5, 0, 0, 0, 3, 0, 0, 0, 1, 0, 8, 0};
    File.resize(54, 0);
    File[46] = 2;  // colours used
    File.insert(File.end(), {0, 0, 0, 0, 0, 0, 255, 0});
    File.resize(62 + 24, 0);
    File[62 + 4] = 1;  // bottom row, last pixel: red
    WriteBytes(Dir.File("palette.bmp"), File);
    TPicture P = Untouched();
    LoadImage(P, Dir.File("palette.bmp"));
    EXPECT_EQ(P.Bitmap().PixelFormat(), pf8bit);
    EXPECT_EQ(P.Bitmap().Pixel(4, 2), PackColor(255, 0, 0));

    WriteBytes(Dir.File("empty.bmp"), {});
    LoadImage(P, Dir.File("empty.bmp"));
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_TRUE(P.Bitmap().Empty());
}

TEST(LoadImage, OtherGraphicsArriveAsAnEmptyBitmap) {
    TPicture Loaded;
    Loaded.SetGraphic(std::make_unique<TOtherGraphic>());
    TPicture P = Untouched();
    TakeLoadedPicture(P, Loaded);
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_TRUE(P.Bitmap().Empty());

    TPicture Nothing;
    P = Untouched();
    TakeLoadedPicture(P, Nothing);
    ExpectUntouched(P);
}

TEST(SetJPEGOptions, RestoresTheDecodeOptionsOfAJpegPicture) {
    auto Jpeg = std::make_unique<TJPEGImage>();
    Jpeg->LoadFromBytes(EncodeJpeg(ColourRamp(16, 16)));
    Jpeg->SetPixelFormat(jf8Bit);
    Jpeg->SetScale(jsQuarter);
    Jpeg->SetGrayscale(true);
    Jpeg->SetPerformance(jpBestSpeed);
    Jpeg->SetProgressiveDisplay(true);
    TPicture P;
    P.SetGraphic(std::move(Jpeg));
    SetJPEGOptions(P);
    const TJPEGImage* J = P.As<TJPEGImage>();
    ASSERT_NE(J, nullptr);
    EXPECT_EQ(J->PixelFormat(), jf24Bit);
    EXPECT_EQ(J->Scale(), jsFullSize);
    EXPECT_FALSE(J->Grayscale());
    EXPECT_EQ(J->Performance(), jpBestQuality);
    EXPECT_FALSE(J->ProgressiveDisplay());
    EXPECT_EQ(J->Width(), 16);

    TPicture Bitmap = Untouched();
    SetJPEGOptions(Bitmap);
    ExpectUntouched(Bitmap);
}
