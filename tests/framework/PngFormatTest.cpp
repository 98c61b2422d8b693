#include <gtest/gtest.h>

#include <algorithm>
#include <png.h>
#include <string>
#include <zlib.h>

#include "Exception.h"
#include "PngFormat.h"
#include "TestPictures.h"

namespace {

// A PNG written with libpng's simplified interface from raw samples in Format.
std::vector<std::uint8_t> SimplePng(int Width, int Height, png_uint_32 Format, const std::vector<std::uint8_t>& Samples) {
    png_image Image{};
    Image.version = PNG_IMAGE_VERSION;
    Image.width = png_uint_32(Width);
    Image.height = png_uint_32(Height);
    Image.format = Format;
    png_alloc_size_t Size = 0;
    EXPECT_TRUE(png_image_write_to_memory(&Image, nullptr, &Size, 0, Samples.data(), 0, nullptr));
    std::vector<std::uint8_t> Bytes(Size);
    EXPECT_TRUE(png_image_write_to_memory(&Image, Bytes.data(), &Size, 0, Samples.data(), 0, nullptr));
    Bytes.resize(Size);
    return Bytes;
}

// Rewrites the size in the IHDR chunk and its checksum.
void PatchHeaderSize(std::vector<std::uint8_t>& Png, std::uint32_t Width, std::uint32_t Height) {
    for (int I = 0; I < 4; ++I) {
        Png[16 + std::size_t(I)] = std::uint8_t(Width >> (24 - 8 * I));
        Png[20 + std::size_t(I)] = std::uint8_t(Height >> (24 - 8 * I));
    }
    const std::uint32_t Crc = std::uint32_t(crc32(0, Png.data() + 12, 17));
    for (int I = 0; I < 4; ++I) Png[29 + std::size_t(I)] = std::uint8_t(Crc >> (24 - 8 * I));
}

}  // namespace

TEST(PngFormat, WrittenPictureReadsBackExactly) {
    const TBitmap Ramp = ColourRamp(13, 7);
    const TBitmap B = ReadPng(WritePng(Ramp));
    ASSERT_EQ(B.PixelFormat(), pf24bit);
    ASSERT_EQ(B.Width(), 13);
    ASSERT_EQ(B.Height(), 7);
    for (int Y = 0; Y < 7; ++Y)
        for (int X = 0; X < 13; ++X) EXPECT_EQ(B.Pixel(X, Y), Ramp.Pixel(X, Y));
}

TEST(PngFormat, TextChunksAreStored) {
    const auto Bytes = WritePng(TBitmap(2, 2), {{"Software", "stereogramm 1.0"}, {"Comment", "--seed 7"}});
    const std::string Text(Bytes.begin(), Bytes.end());
    EXPECT_NE(Text.find(std::string("tEXtSoftware") + '\0' + "stereogramm 1.0"), std::string::npos);
    EXPECT_NE(Text.find(std::string("tEXtComment") + '\0' + "--seed 7"), std::string::npos);
}

TEST(PngFormat, GreyAndTransparentPicturesArriveAsTwentyFourBits) {
    const TBitmap Grey = ReadPng(SimplePng(2, 1, PNG_FORMAT_GRAY, {10, 200}));
    ASSERT_EQ(Grey.PixelFormat(), pf24bit);
    EXPECT_EQ(Grey.Pixel(1, 0), PackColor(200, 200, 200));
    // Transparency is laid over black.
    const TBitmap Alpha = ReadPng(SimplePng(2, 1, PNG_FORMAT_RGBA, {255, 0, 0, 255, 200, 100, 50, 0}));
    EXPECT_EQ(Alpha.Pixel(0, 0), PackColor(255, 0, 0));
    EXPECT_EQ(Alpha.Pixel(1, 0), clBlack);
}

TEST(PngFormat, HostileFilesAreInvalidPictures) {
    const auto Good = WritePng(ColourRamp(32, 32));
    auto Huge = Good;
    PatchHeaderSize(Huge, 100000, 100000);
    auto ZeroWide = Good;
    PatchHeaderSize(ZeroWide, 0, 32);
    auto Big = Good;
    PatchHeaderSize(Big, 8000, 8000);  // within the limits, but the data is far too short
    const std::vector<std::vector<std::uint8_t>> Bad{
        {}, {0x89, 'P', 'N', 'G'}, std::vector<std::uint8_t>(Good.begin(), Good.end() - 30), Huge, ZeroWide, Big};
    for (std::size_t I = 0; I < Bad.size(); ++I) EXPECT_THROW(ReadPng(Bad[I]), EInvalidGraphic) << "case " << I;
}
