// Checks the built-in pictures as they are stored in resources/: the files the program
// embeds must be exactly the catalogued ones, of the right size and kind, and good to use.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <jpeglib.h>

#include "SampleCatalog.h"

namespace {

namespace fs = std::filesystem;

const fs::path kResourceDir = STEREO_RESOURCE_DIR;

struct DecodedJpeg {
    int width = 0, height = 0, components = 0;
    bool progressive = false;
    std::vector<std::uint8_t> samples;  // interleaved, `components` per pixel

    int At(int x, int y, int channel) const {
        return samples[(std::size_t(y) * std::size_t(width) + std::size_t(x)) * std::size_t(components) + std::size_t(channel)];
    }
    // Grey level of a depth pixel: the mean of its channels.
    float Level(int x, int y) const {
        int sum = 0;
        for (int c = 0; c < components; ++c) sum += At(x, y, c);
        return float(sum) / float(components);
    }
};

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void OnError(j_common_ptr info) { std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1); }

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

DecodedJpeg Decode(const fs::path& path) {
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) throw std::runtime_error("cannot open " + path.string());
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnError;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        throw std::runtime_error("cannot decode " + path.string());
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file.get());
    jpeg_read_header(&info, TRUE);
    DecodedJpeg out;
    out.progressive = jpeg_has_multiple_scans(&info);
    jpeg_start_decompress(&info);
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    out.components = info.output_components;
    out.samples.resize(std::size_t(out.width) * std::size_t(out.height) * std::size_t(out.components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.samples.data() + std::size_t(info.output_scanline) * std::size_t(out.width) * std::size_t(out.components);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return out;
}

std::string DepthName(int number) { return "BEI" + std::to_string(number) + ".jpg"; }
std::string TextureName(int number) { return "BILD" + std::to_string(number) + ".jpg"; }

// Every picture is decoded once for the whole test program.
const DecodedJpeg& Picture(const std::string& name) {
    static std::map<std::string, DecodedJpeg> cache;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.emplace(name, Decode(kResourceDir / name)).first;
    return it->second;
}

// Depth maps whose subject is made of flat terraces, with how many terraces they have at
// least; all others are smooth 3D subjects.
const std::map<int, int> kFlatTerraces{{6, 3}, {12, 1}, {14, 3}, {22, 3}};
constexpr int kFloorScene = 24;  // its floor reaches the bottom edge, so it has no black frame

std::array<int, 256> LevelHistogram(const DecodedJpeg& image) {
    std::array<int, 256> histogram{};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) ++histogram[std::size_t(std::lround(image.Level(x, y)))];
    return histogram;
}

// Flat areas above black: runs of neighbouring grey levels that together hold at least 1 %
// of the picture, ignoring the few levels of JPEG noise around each.
int CountTerraces(const std::array<int, 256>& histogram, int pixels) {
    int terraces = 0;
    for (int start = 16; start < 256;) {
        int end = start, sum = 0;
        while (end < 256 && histogram[std::size_t(end)] * 2000 >= pixels) sum += histogram[std::size_t(end++)];
        if (sum * 100 >= pixels) ++terraces;
        start = end + 1;
    }
    return terraces;
}

// Mean absolute difference, over all channels, between row a and row b (or columns).
double RowDifference(const DecodedJpeg& image, int a, int b) {
    double sum = 0;
    for (int x = 0; x < image.width; ++x)
        for (int c = 0; c < image.components; ++c) sum += std::abs(image.At(x, a, c) - image.At(x, b, c));
    return sum / (image.width * image.components);
}
double ColumnDifference(const DecodedJpeg& image, int a, int b) {
    double sum = 0;
    for (int y = 0; y < image.height; ++y)
        for (int c = 0; c < image.components; ++c) sum += std::abs(image.At(a, y, c) - image.At(b, y, c));
    return sum / (image.height * image.components);
}

TEST(ResourceFiles, FolderHoldsExactlyTheCataloguedPictures) {
    std::set<std::string> expected, found;
    for (const auto& info : resources::DepthMapSamples()) expected.insert(DepthName(info.Number));
    for (const auto& info : resources::TextureSamples()) expected.insert(TextureName(info.Number));
    for (const auto& entry : fs::directory_iterator(kResourceDir))
        if (entry.path().extension() == ".jpg") found.insert(entry.path().filename().string());
    EXPECT_EQ(expected.size(), 42u);
    EXPECT_EQ(found, expected);
}

TEST(ResourceFiles, EveryPictureIsABaselineJpegOfItsCataloguedSizeAndChannels) {
    for (const auto& info : resources::DepthMapSamples()) {
        const DecodedJpeg& image = Picture(DepthName(info.Number));
        EXPECT_EQ(image.width, info.Width) << DepthName(info.Number);
        EXPECT_EQ(image.height, info.Height) << DepthName(info.Number);
        EXPECT_EQ(image.components, info.Channels) << DepthName(info.Number);
        EXPECT_FALSE(image.progressive) << DepthName(info.Number);
    }
    for (const auto& info : resources::TextureSamples()) {
        const DecodedJpeg& image = Picture(TextureName(info.Number));
        EXPECT_EQ(image.width, info.Width) << TextureName(info.Number);
        EXPECT_EQ(image.height, info.Height) << TextureName(info.Number);
        EXPECT_EQ(image.components, 3) << TextureName(info.Number);
        EXPECT_FALSE(image.progressive) << TextureName(info.Number);
    }
}

TEST(ResourceFiles, ColourDepthMapsHoldOnlyGrey) {
    for (const auto& info : resources::DepthMapSamples()) {
        if (info.Channels != 3) continue;
        const DecodedJpeg& image = Picture(DepthName(info.Number));
        int worst = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                worst = std::max({worst, std::abs(image.At(x, y, 0) - image.At(x, y, 1)), std::abs(image.At(x, y, 1) - image.At(x, y, 2))});
        EXPECT_LE(worst, 3) << DepthName(info.Number);
    }
}

TEST(ResourceFiles, DepthMapsHaveABlackFrameButTheFloorScene) {
    constexpr int kFrame = 8;
    constexpr float kMaxLevel = 6.0f;
    for (const auto& info : resources::DepthMapSamples()) {
        if (info.Number == kFloorScene) continue;
        const DecodedJpeg& image = Picture(DepthName(info.Number));
        float brightest = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (x < kFrame || y < kFrame || x >= image.width - kFrame || y >= image.height - kFrame)
                    brightest = std::max(brightest, image.Level(x, y));
        EXPECT_LE(brightest, kMaxLevel) << DepthName(info.Number);
    }
}

TEST(ResourceFiles, CompressionLeavesTheBackgroundBlackNextToTheSubject) {
    // Background: pixels at least 3 pixels from any pixel of the subject (level 24 or more).
    // The soft subjects fade out by design and are left out.
    constexpr int kReach = 3;
    constexpr float kSubjectLevel = 24.0f, kMaxLevel = 4.0f;
    constexpr std::array kSoftSubjects{17, 18};
    for (const auto& info : resources::DepthMapSamples()) {
        if (info.Number == kFloorScene || std::ranges::find(kSoftSubjects, info.Number) != kSoftSubjects.end()) continue;
        const DecodedJpeg& image = Picture(DepthName(info.Number));
        std::vector<bool> nearSubject(std::size_t(image.width) * std::size_t(image.height));
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x) {
                if (image.Level(x, y) < kSubjectLevel) continue;
                for (int dy = -kReach; dy <= kReach; ++dy)
                    for (int dx = -kReach; dx <= kReach; ++dx) {
                        const int nx = x + dx, ny = y + dy;
                        if (nx >= 0 && ny >= 0 && nx < image.width && ny < image.height)
                            nearSubject[std::size_t(ny) * std::size_t(image.width) + std::size_t(nx)] = true;
                    }
            }
        float brightest = 0;
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (!nearSubject[std::size_t(y) * std::size_t(image.width) + std::size_t(x)]) brightest = std::max(brightest, image.Level(x, y));
        EXPECT_LE(brightest, kMaxLevel) << DepthName(info.Number);
    }
}

TEST(ResourceFiles, FloorSceneComesNearerTowardsTheBottom) {
    const DecodedJpeg& image = Picture(DepthName(kFloorScene));
    float top = 0, bottom = 0;
    for (int x = 0; x < image.width; ++x) {
        top += image.Level(x, 0);
        bottom += image.Level(x, image.height - 1);
    }
    EXPECT_GT(bottom / float(image.width), top / float(image.width) + 40.0f);
}

TEST(ResourceFiles, DepthMapsSpanARealDepthRange) {
    constexpr int kSmoothLevels = 60;
    for (const auto& info : resources::DepthMapSamples()) {
        const DecodedJpeg& image = Picture(DepthName(info.Number));
        const auto histogram = LevelHistogram(image);
        const auto flat = kFlatTerraces.find(info.Number);
        if (flat != kFlatTerraces.end()) {
            EXPECT_GE(CountTerraces(histogram, image.width * image.height), flat->second) << DepthName(info.Number);
        } else {
            const auto levels = std::count_if(histogram.begin() + 8, histogram.end(), [](int n) { return n > 0; });
            EXPECT_GE(levels, kSmoothLevels) << DepthName(info.Number);
        }
        // The nearest part of the subject stands well out of the background.
        int brightest = 255;
        while (brightest > 0 && histogram[std::size_t(brightest)] * 1000 < image.width * image.height) --brightest;
        EXPECT_GE(brightest, 120) << DepthName(info.Number);
    }
}

TEST(ResourceFiles, FolderStaysUnderThreeMebibytes) {
    std::uintmax_t total = 0;
    for (const auto& entry : fs::directory_iterator(kResourceDir))
        if (entry.is_regular_file()) total += entry.file_size();
    EXPECT_LT(total, 3u * 1024u * 1024u);
}

TEST(ResourceFiles, TexturesAreNotFlat) {
    for (const auto& info : resources::TextureSamples()) {
        const DecodedJpeg& image = Picture(TextureName(info.Number));
        const double pixels = double(image.width) * image.height;
        double spread = 0;
        for (int c = 0; c < 3; ++c) {
            double sum = 0, squares = 0;
            for (int y = 0; y < image.height; ++y)
                for (int x = 0; x < image.width; ++x) {
                    sum += image.At(x, y, c);
                    squares += double(image.At(x, y, c)) * image.At(x, y, c);
                }
            spread = std::max(spread, std::sqrt(squares / pixels - (sum / pixels) * (sum / pixels)));
        }
        EXPECT_GE(spread, 12.0) << TextureName(info.Number);
    }
}

// The generator wraps texture rows and repeats its first columns, so the step from the last
// row (column) back to the first must look like any step inside the picture.
TEST(ResourceFiles, TexturesTileWithoutASeam) {
    for (const auto& info : resources::TextureSamples()) {
        const DecodedJpeg& image = Picture(TextureName(info.Number));
        double rows = 0, columns = 0;
        for (int y = 1; y < image.height; ++y) rows += RowDifference(image, y - 1, y);
        for (int x = 1; x < image.width; ++x) columns += ColumnDifference(image, x - 1, x);
        rows /= image.height - 1;
        columns /= image.width - 1;
        EXPECT_LE(RowDifference(image, image.height - 1, 0), 1.5 * rows + 2.0) << TextureName(info.Number);
        EXPECT_LE(ColumnDifference(image, image.width - 1, 0), 1.5 * columns + 2.0) << TextureName(info.Number);
    }
}

}  // namespace
