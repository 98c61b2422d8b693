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

std::vector<std::uint8_t> EncodeJpeg(const TBitmap& Picture, const TJpegEncodeOptions& Options) {
    jpeg_compress_struct Info{};
    jpeg_error_mgr Errors{};
    Info.err = jpeg_std_error(&Errors);
    jpeg_create_compress(&Info);
    unsigned char* Buffer = nullptr;
    unsigned long Size = 0;
    jpeg_mem_dest(&Info, &Buffer, &Size);
    Info.image_width = JDIMENSION(Picture.Width());
    Info.image_height = JDIMENSION(Picture.Height());
    Info.input_components = Options.Grey ? 1 : 3;
    Info.in_color_space = Options.Grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&Info);
    jpeg_set_quality(&Info, Options.Quality, TRUE);
    if (Options.Progressive) jpeg_simple_progression(&Info);
    jpeg_start_compress(&Info, TRUE);
    std::vector<JSAMPLE> Row(std::size_t(Picture.Width()) * 3);
    for (int Y = 0; Y < Picture.Height(); ++Y) {
        for (int X = 0; X < Picture.Width(); ++X) {
            const TColor32 C = Picture.Pixel(X, Y);
            if (Options.Grey) {
                Row[std::size_t(X)] = RedOf(C);
            } else {
                Row[std::size_t(X) * 3] = RedOf(C);
                Row[std::size_t(X) * 3 + 1] = GreenOf(C);
                Row[std::size_t(X) * 3 + 2] = BlueOf(C);
            }
        }
        JSAMPROW Pointer = Row.data();
        jpeg_write_scanlines(&Info, &Pointer, 1);
    }
    jpeg_finish_compress(&Info);
    std::vector<std::uint8_t> Bytes(Buffer, Buffer + Size);
    jpeg_destroy_compress(&Info);
    std::free(Buffer);
    return Bytes;
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
