// Each fixture reads to the pixels a second decoder made of it, stored beside it as a binary
// PPM: ImageMagick's for BMP and JPEG (CMYK turned into RGB), netpbm's for PNG (pngtopam
// -mix over black, pamdepth 255), since ImageMagick 6 truncates 16-bit values to 8 bits
// where netpbm rounds. Tolerance is the largest difference allowed in any channel.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <string>

#include "PictureFiles.h"
#include "TestPictures.h"

namespace {

struct TReference {
    const char* Fixture;
    const char* Reference;
    int Tolerance;
};

// 0: the same arithmetic. 1: netpbm lays 16-bit transparency over black before rounding to
// 8 bits, we after; ImageMagick truncates the result of its CMYK conversion, we round it.
const TReference References[] = {
    {"bmp_pal8_rle8.bmp", "bmp_pal8_rle8.reference.ppm", 0},
    {"bmp_rgb565.bmp", "bmp_rgb565.reference.ppm", 0},
    {"png_grey16.png", "png_grey16.reference.ppm", 0},
    {"png_grey_alpha.png", "png_grey_alpha.reference.ppm", 0},
    {"png_palette_trns.png", "png_palette_trns.reference.ppm", 0},
    {"png_rgba.png", "png_rgba.reference.ppm", 0},
    {"png_rgba16.png", "png_rgba16.reference.ppm", 1},
    {"jpeg_colour.jpg", "jpeg_colour.reference.ppm", 0},
    {"jpeg_arithmetic.jpg", "jpeg_arithmetic.reference.ppm", 0},
    {"jpeg_adobe_cmyk.jpg", "jpeg_adobe_cmyk.reference.ppm", 1},
    {"jpeg_adobe_ycck.jpg", "jpeg_adobe_ycck.reference.ppm", 1},
    {"jpeg_adobe_ycck_red.jpg", "jpeg_adobe_ycck_red.reference.ppm", 1},
    {"jpeg_extraneous_bytes.jpg", "jpeg_extraneous_bytes.reference.ppm", 0},
    {"jpeg_exif_damaged.jpg", "jpeg_exif_damaged.reference.ppm", 0},
    {"jpeg_no_end_marker.jpg", "jpeg_no_end_marker.reference.ppm", 0},
    {"jpeg_data_cut_after_header.jpg", "jpeg_data_cut_after_header.reference.ppm", 0},
};

std::string DataFile(const std::string& Name) { return std::string(STEREO_TEST_DATA) + "/" + Name; }

// A binary PPM with 8-bit samples, as a 24-bit bitmap (a 0 × 0 one when it is none).
TBitmap ReadReference(const std::string& FileName) {
    std::ifstream In(FileName, std::ios::binary);
    std::string Magic;
    int Width = 0, Height = 0, MaxValue = 0;
    In >> Magic >> Width >> Height >> MaxValue;
    In.get();
    TBitmap B(Magic == "P6" && MaxValue == 255 ? Width : 0, Height, pf24bit);
    for (int Y = 0; Y < B.Height(); ++Y)
        for (int X = 0; X < B.Width(); ++X) {
            unsigned char Rgb[3] = {};
            In.read(reinterpret_cast<char*>(Rgb), 3);
            B.SetPixel(X, Y, PackColor(Rgb[0], Rgb[1], Rgb[2]));
        }
    return B;
}

class ReferenceDecode : public testing::TestWithParam<TReference> {};

}  // namespace

TEST_P(ReferenceDecode, ReadsToTheSecondDecodersPixels) {
    TPicture Picture;
    LoadPictureFromFile(Picture, DataFile(GetParam().Fixture));
    TBitmap Read;
    Read.Assign(*Picture.Graphic());
    const TBitmap Expected = ReadReference(DataFile(GetParam().Reference));
    ASSERT_EQ(Read.Width(), Expected.Width());
    ASSERT_EQ(Read.Height(), Expected.Height());
    EXPECT_LE(Difference(Read, Expected).Largest, GetParam().Tolerance);
}

INSTANTIATE_TEST_SUITE_P(Fixtures, ReferenceDecode, testing::ValuesIn(References), [](const auto& Info) {
    std::string Name = Info.param.Fixture;
    for (char& C : Name)
        if (!std::isalnum(static_cast<unsigned char>(C))) C = '_';
    return Name;
});
