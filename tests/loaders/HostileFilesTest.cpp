#include <gtest/gtest.h>

#include <string>

#include "Exception.h"
#include "PictureReader.h"
#include "SampleLoaders.h"
#include "TestPictures.h"

namespace {

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
        EXPECT_NO_THROW(LoadImage(P, TestDataFile(Name))) << Name;
        EXPECT_TRUE(IsUntouched(P)) << Name;
    }
}

TEST(HostileFiles, UnreadablePnmTiffWebPAndGifFilesGiveTheirReasonAndLeaveThePicture) {
    const struct {
        const char* Name;
        TReadFailure Failure;
    } Files[] = {
        {"pnm_claims_16384x16384_cut_short.pgm", TReadFailure::Damaged},
        {"pnm_plain_claims_16384x16384.pgm", TReadFailure::Damaged},
        {"pnm_claims_100000x100000.ppm", TReadFailure::TooLarge},
        {"pnm_maxval_0.pgm", TReadFailure::Damaged},
        {"pnm_maxval_70000.pgm", TReadFailure::Damaged},
        {"pnm_plain_garbage.pgm", TReadFailure::Damaged},
        {"pnm_p6_pixels_truncated.ppm", TReadFailure::Damaged},
        {"tiff_pixels_truncated.tif", TReadFailure::Damaged},
        {"tiff_claims_100000x100000.tif", TReadFailure::TooLarge},
        {"tiff_absurd_strip_count.tif", TReadFailure::Damaged},
        {"tiff_cmyk_unsupported.tif", TReadFailure::Unsupported},
        {"webp_truncated.webp", TReadFailure::Damaged},
        {"webp_claims_16384x16384.webp", TReadFailure::TooLarge},
        {"gif_truncated.gif", TReadFailure::Damaged},
        {"gif_claims_65535x65535.gif", TReadFailure::TooLarge},
        {"gif_claims_9000x9000_data_cut_short.gif", TReadFailure::Damaged},
    };
    for (const auto& F : Files) {
        SCOPED_TRACE(F.Name);
        TPicture P = Untouched();
        EXPECT_NO_THROW(LoadImage(P, TestDataFile(F.Name)));
        EXPECT_TRUE(IsUntouched(P));
        try {
            ReadPicture(TestDataFile(F.Name));
            ADD_FAILURE() << "read without an error";
        } catch (const EInvalidGraphic& E) {
            EXPECT_EQ(E.Failure(), F.Failure) << E.Detail();
            EXPECT_FALSE(E.Detail().empty());
            EXPECT_FALSE(E.Format().empty());
        }
    }
}

TEST(HostileFiles, JpegCutAfterItsHeaderRaisesAnInvalidPictureErrorAndChangesNothing) {
    TPicture P = Untouched();
    EXPECT_THROW(LoadImage(P, TestDataFile("jpeg_data_cut_after_header.jpg")), EInvalidGraphic);
    EXPECT_TRUE(IsUntouched(P));
}

TEST(HostileFiles, DamagedButReadableBitmapsLoadWhatIsThere) {
    TPicture P = Untouched();
    LoadImage(P, TestDataFile("bmp_rle8_run_past_row.bmp"));
    ASSERT_EQ(P.Bitmap().PixelFormat(), pf8bit);
    ASSERT_EQ(P.Width(), 4);
    for (int Y = 0; Y < 2; ++Y)
        for (int X = 0; X < 4; ++X) EXPECT_EQ(P.Bitmap().Pixel(X, Y), PackColor(255, 0, 0));

    LoadImage(P, TestDataFile("bmp_palette_index_past_palette.bmp"));
    EXPECT_EQ(P.Bitmap().Pixel(0, 0), PackColor(255, 0, 0));
    EXPECT_EQ(P.Bitmap().Pixel(1, 0), clBlack);

    LoadImage(P, TestDataFile("bmp_zero_length.bmp"));
    ASSERT_NE(P.As<TBitmap>(), nullptr);
    EXPECT_TRUE(P.Bitmap().Empty());
}
