#include <gtest/gtest.h>

#include <string>

#include "Exception.h"
#include "SampleLoaders.h"

namespace {

std::string Fixture(const std::string& Name) { return std::string(STEREO_TEST_DATA) + "/" + Name; }

TPicture Untouched() {
    TPicture P;
    P.SetGraphic(std::make_unique<TBitmap>(7, 5, pf1bit));
    return P;
}

bool IsUntouched(const TPicture& P) { return P.Width() == 7 && P.Height() == 5 && P.Bitmap().PixelFormat() == pf1bit; }

}  // namespace

TEST(HostileFiles, UnreadableFilesLeaveThePictureWithoutAMessage) {
    for (const char* Name : {"bmp_claims_100000x100000.bmp", "bmp_negative_width.bmp", "bmp_zero_height.bmp",
                             "bmp_pixels_truncated.bmp", "png_image_data_truncated.png", "png_claims_100000x100000.png", "png_text_chunk_claims_2gb.png",
                             "jpeg_claims_60000x60000.jpg", "jpeg_cmyk_unsupported.jpg"}) {
        TPicture P = Untouched();
        EXPECT_NO_THROW(LoadImage(P, Fixture(Name))) << Name;
        EXPECT_TRUE(IsUntouched(P)) << Name;
    }
}

TEST(HostileFiles, JpegCutAfterItsHeaderRaisesAnInvalidPictureErrorAndChangesNothing) {
    TPicture P = Untouched();
    EXPECT_THROW(LoadImage(P, Fixture("jpeg_data_cut_after_header.jpg")), EInvalidGraphic);
    EXPECT_TRUE(IsUntouched(P));
}

TEST(HostileFiles, DamagedButReadableBitmapsLoadWhatIsThere) {
    TPicture P = Untouched();
    LoadImage(P, Fixture("bmp_rle8_run_past_row.bmp"));
    ASSERT_EQ(P.Bitmap().PixelFormat(), pf8bit);
    ASSERT_EQ(P.Width(), 4);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 4; ++X) EXPECT_EQ(P.Bitmap().Pixel(X, Y), PackColor(255, 0, 0));

    LoadImage(P, Fixture("bmp_palette_index_past_palette.bmp"));
    EXPECT_EQ(P.Bitmap().Pixel(0, 0), PackColor(255, 0, 0));
    EXPECT_EQ(P.Bitmap().Pixel(1, 0), clBlack);

    LoadImage(P, Fixture("bmp_zero_length.bmp"));
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_TRUE(P.Bitmap().Empty());
}
