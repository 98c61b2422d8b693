// Every fixture of the formats read through a library or our own reader gives the pixels
// that a second decoder gives for it, stored beside it as NAME.ref.ppm (a binary pixmap
// with maximum 255; tests/data/make-format-fixtures.sh tells which decoder made each).
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "TestPictures.h"

namespace {

struct TReference {
    int Width = 0;
    int Height = 0;
    std::vector<unsigned char> Rgb;
};

// Read here rather than with our own PNM reader, which is among the readers under test.
TReference ReadReference(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    std::string Magic;
    int Max = 0;
    TReference R;
    In >> Magic >> R.Width >> R.Height >> Max;
    In.get();
    R.Rgb.resize(std::size_t(R.Width) * std::size_t(R.Height) * 3);
    In.read(reinterpret_cast<char*>(R.Rgb.data()), std::streamsize(R.Rgb.size()));
    EXPECT_TRUE(Magic == "P6" && Max == 255 && In) << FileName;
    return R;
}

struct TFixture {
    const char* Name;
    TPixelFormat Format;  // grey pictures and palettes stay 8 bits, bitmaps 1 bit
};

constexpr TFixture Fixtures[] = {
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
        const TBitmap& B = P.Bitmap();
        const TReference R = ReadReference(TestDataFile(Name.substr(0, Name.rfind('.')) + ".ref.ppm"));
        EXPECT_EQ(B.PixelFormat(), F.Format);
        ASSERT_EQ(B.Width(), R.Width);
        ASSERT_EQ(B.Height(), R.Height);
        int Differing = 0;
        std::string First;
        for (int Y = 0; Y < R.Height; ++Y)
            for (int X = 0; X < R.Width; ++X) {
                const unsigned char* C = &R.Rgb[(std::size_t(Y) * std::size_t(R.Width) + std::size_t(X)) * 3];
                if (B.Pixel(X, Y) == PackColor(C[0], C[1], C[2])) continue;
                if (Differing++ == 0) First = "(" + std::to_string(X) + ", " + std::to_string(Y) + ")";
            }
        EXPECT_EQ(Differing, 0) << "first at " << First;
    }
}
