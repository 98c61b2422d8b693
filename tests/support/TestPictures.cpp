#include "TestPictures.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <jpeglib.h>
#include <stdexcept>

TBitmap ColourRamp(int Width, int Height) {
    TBitmap B(Width, Height, pf24bit);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X)
            B.SetPixel(X, Y, PackColor(std::uint8_t(X * 255 / std::max(Width - 1, 1)), std::uint8_t(Y * 255 / std::max(Height - 1, 1)), 128));
    return B;
}

TDifference Difference(const TBitmap& A, const TBitmap& B) {
    TDifference D;
    for (int Y = 0; Y < A.Height(); ++Y)
        for (int X = 0; X < A.Width(); ++X)
            for (const int Shift : {0, 8, 16}) {
                const int Channel = std::abs(int((A.Pixel(X, Y) >> Shift) & 0xFF) - int((B.Pixel(X, Y) >> Shift) & 0xFF));
                D.Largest = std::max(D.Largest, Channel);
                D.Mean += Channel;
            }
    D.Mean /= std::max(3.0 * A.Width() * A.Height(), 1.0);
    return D;
}

namespace {

// Samples (Components per pixel, rows top first) as a JPEG file written by libjpeg.
std::vector<std::uint8_t> EncodeSamples(int Width, int Height, int Components, J_COLOR_SPACE Space,
                                        const std::vector<JSAMPLE>& Samples, const TJpegEncodeOptions& Options) {
    jpeg_compress_struct Info{};
    jpeg_error_mgr Errors{};
    Info.err = jpeg_std_error(&Errors);
    jpeg_create_compress(&Info);
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Buffer, &Size);
    Info.image_width = JDIMENSION(Width);
    Info.image_height = JDIMENSION(Height);
    Info.input_components = Components;
    Info.in_color_space = Space;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, Options.Quality, TRUE);
    if (Space == JCS_CMYK) {
        jpeg_set_colorspace(&Info, JCS_CMYK);
        Info.write_Adobe_marker = Options.AdobeMarker ? TRUE : FALSE;
    }
    if (Options.Progressive) jpeg_simple_progression(&Info);
    jpeg_start_compress(&Info, TRUE);
    while (Info.next_scanline < Info.image_height) {
        auto Row = const_cast<JSAMPROW>(Samples.data() + std::size_t(Info.next_scanline) * std::size_t(Width * Components));
        jpeg_write_scanlines(&Info, &Row, 1);
    }
    jpeg_finish_compress(&Info);
    std::vector<std::uint8_t> Bytes(Buffer, Buffer + Size);
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
    return Bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const TBitmap& Picture, const TJpegEncodeOptions& Options) {
    std::vector<JSAMPLE> Samples;
    for (int Y = 0; Y < Picture.Height(); ++Y)
        for (int X = 0; X < Picture.Width(); ++X) {
            const TColor32 C = Picture.Pixel(X, Y);
            if (Options.Grey)
                Samples.push_back(RedOf(C));
            else
                Samples.insert(Samples.end(), {RedOf(C), GreenOf(C), BlueOf(C)});
        }
    return EncodeSamples(Picture.Width(), Picture.Height(), Options.Grey ? 1 : 3, Options.Grey ? JCS_GRAYSCALE : JCS_RGB,
                         Samples, Options);
}

std::vector<std::uint8_t> EncodeCmykJpeg(int Width, int Height, std::array<std::uint8_t, 4> Stored, const TJpegEncodeOptions& Options) {
    std::vector<JSAMPLE> Samples;
    for (int I = 0; I < Width * Height; ++I) Samples.insert(Samples.end(), Stored.begin(), Stored.end());
    return EncodeSamples(Width, Height, 4, JCS_CMYK, Samples, Options);
}

void WriteBytes(const std::filesystem::path& File, const std::vector<std::uint8_t>& Bytes) {
    std::ofstream Out(File, std::ios::binary);
    Out.write(reinterpret_cast<const char*>(Bytes.data()), std::streamsize(Bytes.size()));
    if (!Out) throw std::runtime_error("cannot write " + File.string());
}

std::string TestDataFile(const std::string& Name) { return std::string(STEREO_TEST_DATA) + "/" + Name; }

TTempDir::TTempDir() {
    std::string Template = (std::filesystem::temp_directory_path() / "stereo-test-XXXXXX").string();
    if (!mkdtemp(Template.data())) throw std::runtime_error("cannot make a temporary folder");
    FPath = Template;
}

TTempDir::~TTempDir() {
    std::error_code Ignored;
    std::filesystem::remove_all(FPath, Ignored);
}
