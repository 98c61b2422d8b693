#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <png.h>
#include <string>
#include <zlib.h>

#include "Exception.h"
#include "ExpectMessage.h"
#include "PngFormat.h"
#include "TestPictures.h"

namespace {

// A PNG of one row of raw samples, written with libpng: one value per channel, 16-bit
// values at a bit depth of 16.
std::vector<std::uint8_t> RawPng(int Width, int BitDepth, int ColorType, const std::vector<std::uint16_t>& Samples) {
    std::vector<std::uint8_t> Out;
    png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop Info = png_create_info_struct(Png);
    png_set_write_fn(Png, &Out, [](png_structp P, png_bytep Data, std::size_t Length) {
        auto* Bytes = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(P));
        Bytes->insert(Bytes->end(), Data, Data + Length);
    }, nullptr);
    png_set_IHDR(Png, Info, png_uint_32(Width), 1, BitDepth, ColorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(Png, Info);
    std::vector<png_byte> Row;
    for (const std::uint16_t V : Samples) {
        if (BitDepth == 16) Row.push_back(png_byte(V >> 8));
        Row.push_back(png_byte(V));
    }
    png_write_row(Png, Row.data());
    png_write_end(Png, nullptr);
    png_destroy_write_struct(&Png, &Info);
    return Out;
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

TEST(PngFormat, TextsAreStoredAsUtf8InUncompressedITXtChunks) {
    const std::string Options = "--depth \"/home/jürgen/Tiefenkarte – 東京.png\" --seed 7";
    const auto Bytes = WritePng(TBitmap(2, 2), {{"Software", "stereogramm 1.0"}, {"Options", Options}});
    const std::string File(Bytes.begin(), Bytes.end());
    // Keyword, 0, no compression (0, 0), no language tag (0), no translated keyword (0), text.
    EXPECT_NE(File.find("iTXtSoftware" + std::string(5, '\0') + "stereogramm 1.0"), std::string::npos);
    EXPECT_NE(File.find("iTXtOptions" + std::string(5, '\0') + Options), std::string::npos);
    // Read back in order; a file cut inside a chunk keeps the chunks before it, no PNG has none.
    const TPngTextChunks Texts{{"Software", "stereogramm 1.0"}, {"Options", Options}};
    EXPECT_EQ(ReadPngText(Bytes), Texts);
    const std::size_t Cut = File.find("iTXtOptions") + 8;
    EXPECT_EQ(ReadPngText(std::span(Bytes).first(Cut)), TPngTextChunks(Texts.begin(), Texts.begin() + 1));
    EXPECT_TRUE(ReadPngText(std::span(Bytes).subspan(1)).empty());
}

TEST(PngFormat, GreyAndTransparentPicturesArriveAsTwentyFourBits) {
    const TBitmap Grey = ReadPng(RawPng(2, 8, PNG_COLOR_TYPE_GRAY, {10, 200}));
    ASSERT_EQ(Grey.PixelFormat(), pf24bit);
    EXPECT_EQ(Grey.Pixel(1, 0), PackColor(200, 200, 200));
    // 16-bit samples become v × 255 / 65535 rounded: 128 → 0.498 → 0, 129 → 0.502 → 1,
    // 255 → 0.99 → 1, 65280 → 254.0 → 254, where keeping the high byte gives 0, 0, 0, 255.
    const TBitmap Grey16 = ReadPng(RawPng(4, 16, PNG_COLOR_TYPE_GRAY, {128, 129, 255, 65280}));
    for (int X = 0; X < 4; ++X) EXPECT_EQ(RedOf(Grey16.Pixel(X, 0)), (std::array{0, 1, 1, 254})[std::size_t(X)]) << X;
    // Transparency is laid over black, c × a / 255 rounded: (200, 101, 90) at alpha 100 →
    // 78.4, 39.6, 35.3; (101, 255, 90) at 128 → 50.7, 128, 45.2; alpha 0 → black.
    const TBitmap Rgba = ReadPng(RawPng(4, 8, PNG_COLOR_TYPE_RGBA, {200, 101, 90, 100, 101, 255, 90, 128, 200, 100, 50, 0, 255, 0, 0, 255}));
    EXPECT_EQ(Rgba.Pixel(0, 0), PackColor(78, 40, 35));
    EXPECT_EQ(Rgba.Pixel(1, 0), PackColor(51, 128, 45));
    EXPECT_EQ(Rgba.Pixel(2, 0), clBlack);
    EXPECT_EQ(Rgba.Pixel(3, 0), PackColor(255, 0, 0));
    // 16 bits round first: (65280, 255, 32896) at alpha 32897 are (254, 1, 128) at 128, then
    // 254 × 128 / 255 = 127.498 → 127 (over black in 16 bits it would be 128), 0.502 → 1, 64.25 → 64.
    EXPECT_EQ(ReadPng(RawPng(1, 16, PNG_COLOR_TYPE_RGBA, {65280, 255, 32896, 32897})).Pixel(0, 0), PackColor(127, 1, 64));
}

TEST(PngFormat, HostileFilesAreInvalidPicturesWithTheirReason) {
    const auto Good = WritePng(ColourRamp(32, 32));
    auto Huge = Good;
    PatchHeaderSize(Huge, 100000, 100000);
    auto ZeroWide = Good;
    PatchHeaderSize(ZeroWide, 0, 32);
    auto Big = Good;
    PatchHeaderSize(Big, 8000, 8000);  // within the limits, but the data is far too short
    using enum TReadFailure;
    const std::vector<std::pair<std::vector<std::uint8_t>, TReadFailure>> Bad{
        {{}, NotAPicture},
        {{0x89, 'P', 'N', 'G'}, NotAPicture},
        {std::vector<std::uint8_t>(Good.begin(), Good.end() - 30), Damaged},
        {Huge, TooLarge},
        {ZeroWide, Damaged},
        {Big, Damaged},
    };
    for (std::size_t I = 0; I < Bad.size(); ++I) EXPECT_TRUE(RaisesInvalidGraphic([&] { ReadPng(Bad[I].first); }, Bad[I].second, "PNG")) << "case " << I;
}
