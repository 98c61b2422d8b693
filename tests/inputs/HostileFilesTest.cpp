#include <gtest/gtest.h>

#include <string>

#include "Exception.h"
#include "ExpectMessage.h"
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

struct TUnreadable {
    const char* Name;
    TReadFailure Failure;
    const char* Format;
    const char* Detail;  // the reader's own words; empty where they are libpng's and may vary
};

}  // namespace

TEST(HostileFiles, UnreadableFilesLeaveThePictureWithoutAMessageAndSayWhyWhenAsked) {
    using enum TReadFailure;
    const TUnreadable Files[] = {
        {"bmp_claims_100000x100000.bmp", TooLarge, "BMP", "100000 x 100000 pixels"},
        {"bmp_negative_width.bmp", Damaged, "BMP", "width -4 and height 2 must be positive"},
        {"bmp_zero_height.bmp", Damaged, "BMP", "width 4 and height 0 must be positive"},
        {"bmp_pixels_truncated.bmp", Damaged, "BMP", "the file ends at byte 101, before the 48 bytes needed at byte 54"},
        {"bmp_rle8_claims_16384x16384.bmp", Damaged, "BMP", "RLE data of 960 bytes cannot fill 16384 x 16384 pixels"},
        {"png_image_data_truncated.png", Damaged, "PNG", ""},
        {"png_claims_100000x100000.png", TooLarge, "PNG", "100000 x 100000 pixels"},
        {"png_text_chunk_claims_2gb.png", Damaged, "PNG", ""},
        {"jpeg_claims_60000x60000.jpg", TooLarge, "JPEG", "60000 x 60000 pixels"},
        {"jpeg_12bit_unsupported.jpg", Unsupported, "JPEG", "Unsupported JPEG data precision 12"},
        {"pnm_claims_16384x16384_cut_short.pgm", Damaged, "PNM", ""},
        {"pnm_plain_claims_16384x16384.pgm", Damaged, "PNM", ""},
        {"pnm_claims_100000x100000.ppm", TooLarge, "PNM", "100000 x 100000 pixels"},
        {"pnm_maxval_0.pgm", Damaged, "PNM", ""},
        {"pnm_maxval_70000.pgm", Damaged, "PNM", ""},
        {"pnm_plain_garbage.pgm", Damaged, "PNM", ""},
        {"pnm_p6_pixels_truncated.ppm", Damaged, "PNM", ""},
        {"tiff_pixels_truncated.tif", Damaged, "TIFF", ""},
        {"tiff_claims_100000x100000.tif", TooLarge, "TIFF", ""},
        {"tiff_absurd_strip_count.tif", Damaged, "TIFF", ""},
        {"tiff_cmyk_unsupported.tif", Unsupported, "TIFF", ""},
        {"webp_truncated.webp", Damaged, "WebP", ""},
        {"webp_claims_16384x16384.webp", TooLarge, "WebP", ""},
        {"gif_truncated.gif", Damaged, "GIF", ""},
        {"gif_claims_65535x65535.gif", TooLarge, "GIF", ""},
        {"gif_claims_9000x9000_data_cut_short.gif", Damaged, "GIF", ""},
    };
    for (const TUnreadable& F : Files) {
        SCOPED_TRACE(F.Name);
        TPicture P = Untouched();
        EXPECT_NO_THROW(LoadImage(P, TestDataFile(F.Name)));
        EXPECT_TRUE(IsUntouched(P));
        EXPECT_TRUE(RaisesInvalidGraphic([&] { ReadPicture(TestDataFile(F.Name)); }, F.Failure, F.Format, F.Detail));
    }
}

TEST(HostileFiles, DamagedButReadableJpegsReadAsOtherViewersDoAndKeepTheDecodersWarnings) {
    const std::pair<const char*, std::vector<std::string>> Files[] = {
        {"jpeg_data_cut_after_header.jpg", {"Premature end of JPEG file", "Corrupt JPEG data: premature end of data segment"}},
        {"jpeg_extraneous_bytes.jpg", {"Corrupt JPEG data: 3 extraneous bytes before marker 0xda"}},
        {"jpeg_exif_damaged.jpg", {}},
        {"jpeg_no_end_marker.jpg", {"Premature end of JPEG file"}},
    };
    for (const auto& [Name, Warnings] : Files) {
        EXPECT_EQ(ReadPicture(TestDataFile(Name)).Warnings, Warnings) << Name;
        TPicture P = Untouched();
        LoadImage(P, TestDataFile(Name));  // the window shows them without a message
        EXPECT_FALSE(IsUntouched(P)) << Name;
    }
    // The rows a file cut short does not hold are libjpeg's grey.
    EXPECT_EQ(ReadPicture(TestDataFile("jpeg_data_cut_after_header.jpg")).Picture.Bitmap().Pixel(63, 63), PackColor(128, 128, 128));
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
