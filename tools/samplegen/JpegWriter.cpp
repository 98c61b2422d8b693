#include "JpegWriter.h"

#include <csetjmp>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <vector>

#include <jpeglib.h>

namespace samplegen {
namespace {

// Depth maps step from black to level 40 or more at every silhouette; below quality 98
// the ringing of those steps lifts the black background by up to a dozen levels.
constexpr int kDepthMapQuality = 98;
constexpr int kTextureQuality = 92;

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

// libjpeg reports errors through a callback; we turn them into an exception after the
// longjmp has brought us back into our own frame.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr info) {
    auto* errors = reinterpret_cast<ErrorManager*>(info->err);
    (*info->err->format_message)(info, errors->message);
    std::longjmp(errors->escape, 1);
}

// Encodes `components` interleaved bytes per pixel, `width` × `height`, to `path`.
void Encode(const std::vector<JSAMPLE>& samples, int width, int height, int components, J_COLOR_SPACE space, int quality,
            const std::string& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file) throw std::runtime_error("cannot write " + path);

    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        throw std::runtime_error("JPEG encoding of " + path + " failed: " + errors.message);
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file.get());
    info.image_width = JDIMENSION(width);
    info.image_height = JDIMENSION(height);
    info.input_components = components;
    info.in_color_space = space;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    info.dct_method = JDCT_ISLOW;
    info.optimize_coding = TRUE;  // smaller files, still baseline and deterministic
    for (int c = 0; c < info.num_components; ++c) {
        info.comp_info[c].h_samp_factor = 1;
        info.comp_info[c].v_samp_factor = 1;
    }
    jpeg_start_compress(&info, TRUE);
    const std::size_t stride = std::size_t(width) * std::size_t(components);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(samples.data() + std::size_t(info.next_scanline) * stride);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

}  // namespace

void WriteGreyJpeg(const GreyImage& image, JpegChannels channels, const std::string& path) {
    const int components = channels == JpegChannels::Grey ? 1 : 3;
    std::vector<JSAMPLE> samples;
    samples.reserve(image.pixels.size() * std::size_t(components));
    for (float v : image.pixels) samples.insert(samples.end(), std::size_t(components), ToByte(v));
    Encode(samples, image.width, image.height, components, components == 1 ? JCS_GRAYSCALE : JCS_RGB, kDepthMapQuality, path);
}

void WriteColourJpeg(const RgbImage& image, const std::string& path) {
    Encode(InterleavedBytes(image), image.width, image.height, 3, JCS_RGB, kTextureQuality, path);
}

}  // namespace samplegen
