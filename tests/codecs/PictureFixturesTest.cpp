// Every fixture gives the pixels that a second decoder gives for it, stored beside it as
// NAME.ref.ppm (a binary pixmap with maximum 255; tests/data/README.md and
// tests/data/make-format-fixtures.sh tell which decoder made each): netpbm for PNM and
// PNG (ImageMagick 6 truncates 16-bit samples where netpbm rounds, as we do), ImageMagick
// for BMP, JPEG, TIFF and GIF, dwebp for WebP.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "PictureFiles.h"
#include "TestPictures.h"

namespace {

// Read here rather than with our own PNM reader, which is among the readers under test.
TBitmap ReadReference(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    std::string Magic;
    int Width = 0, Height = 0, Max = 0;
    In >> Magic >> Width >> Height >> Max;
    In.get();
    EXPECT_TRUE(Magic == "P6" && Max == 255 && In) << FileName;
    TBitmap B(In ? Width : 0, Height, pf24bit);
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X) {
            unsigned char Rgb[3] = {};
            In.read(reinterpret_cast<char*>(Rgb), 3);
            B.SetPixel(X, Y, PackColor(Rgb[0], Rgb[1], Rgb[2]));
        }
    return B;
}

struct TFixture {
    const char* Name;
    TPixelFormat Format;  // grey pictures and palettes stay 8 bits, bitmaps 1 bit
    int Tolerance = 0;    // the largest difference allowed in any channel
};

// Tolerance 1: netpbm lays 16-bit transparency over black before rounding to 8 bits, we
// after; ImageMagick truncates the result of its CMYK conversion, we round it.
constexpr TFixture Fixtures[] = {
    {"bmp_pal8_rle8.bmp", pf8bit},
    {"bmp_rgb565.bmp", pf16bit},
    {"png_grey16.png", pf24bit},
    {"png_grey_alpha.png", pf24bit},
    {"png_palette_trns.png", pf24bit},
    {"png_rgba.png", pf24bit},
    {"png_rgba16.png", pf24bit, 1},
    {"jpeg_colour.jpg", pf24bit},
    {"jpeg_arithmetic.jpg", pf24bit},
    {"jpeg_adobe_cmyk.jpg", pf24bit, 1},
    {"jpeg_adobe_ycck.jpg", pf24bit, 1},
    {"jpeg_adobe_ycck_red.jpg", pf24bit, 1},
    {"jpeg_extraneous_bytes.jpg", pf24bit},
    {"jpeg_exif_damaged.jpg", pf24bit},
    {"jpeg_no_end_marker.jpg", pf24bit},
    {"jpeg_data_cut_after_header.jpg", pf24bit},
    {"pnm_p1_plain_bitmap.pbm", pf1bit},
    {"pnm_p4_binary_bitmap_13_wide.pbm", pf1bit},
    {"pnm_p2_plain_maxval_1000.pgm", pf8bit},
    {"pnm_p5_maxval_1000.pgm", pf8bit},
    {"pnm_p5_grey.pgm", pf8bit},
    {"pnm_p3_plain_maxval_100.ppm", pf24bit},
    {"pnm_p6_16bit.ppm", pf24bit},
    {"pnm_p6_two_pictures.ppm", pf24bit},
    {"tiff_grey_8bit_deflate.tif", pf8bit},
    {"tiff_grey_16bit_lzw.tif", pf8bit},
    {"tiff_grey_alpha_8bit.tif", pf8bit},
    {"tiff_rgb_8bit.tif", pf24bit},
    {"tiff_rgb_16bit_tiled.tif", pf24bit},
    {"tiff_rgba_8bit_unassociated.tif", pf24bit},
    {"tiff_palette_4bit.tif", pf8bit},
    {"tiff_bilevel_fax.tif", pf8bit},
    {"tiff_two_pages.tif", pf24bit},
    {"tiff_float_grey.tif", pf8bit},
    {"tiff_float_grey_nan_inf.tif", pf8bit},
    {"webp_lossless.webp", pf24bit},
    {"webp_lossy.webp", pf24bit},
    {"webp_lossy_alpha.webp", pf24bit},
    {"webp_animated.webp", pf24bit},
    {"gif_global_palette.gif", pf24bit},
    {"gif_interlaced_transparent.gif", pf24bit},
    {"gif_frame_with_own_colours.gif", pf24bit},
    {"gif_frame_partly_off_screen.gif", pf24bit},
    {"gif_animated.gif", pf24bit},
};

}  // namespace

TEST(PictureFixtures, EveryFixtureReadsToTheSecondDecodersPixels) {
    for (const TFixture& F : Fixtures) {
        const std::string Name = F.Name;
        SCOPED_TRACE(Name);
        TPicture P;
        ASSERT_NO_THROW(LoadPictureFromFile(P, TestDataFile(Name)));
        TBitmap Read;
        Read.Assign(*P.Graphic());  // a JPEG picture decodes here
        const TBitmap Expected = ReadReference(TestDataFile(Name.substr(0, Name.rfind('.')) + ".ref.ppm"));
        EXPECT_EQ(Read.PixelFormat(), F.Format);
        ASSERT_EQ(Read.Width(), Expected.Width());
        ASSERT_EQ(Read.Height(), Expected.Height());
        EXPECT_LE(Difference(Read, Expected).Largest, F.Tolerance);
    }
}
