#include "SampleCatalog.h"

#include <array>

namespace resources {
namespace {

constexpr std::array<SampleInfo, 28> kDepthMaps{{
    {1, 640, 480, 3, "a fly"},
    {2, 800, 600, 3, "a propeller aeroplane"},
    {3, 640, 480, 3, "a long-necked dinosaur"},
    {4, 640, 480, 3, "an electric guitar"},
    {5, 640, 480, 3, "a tricycle"},
    {6, 640, 480, 3, "concentric rings, each a flat terrace"},
    {7, 640, 480, 3, "a table, an armchair and a hanging lamp"},
    {8, 640, 480, 3, "three interlinked rings"},
    {9, 640, 480, 3, "a chair"},
    {10, 640, 480, 3, "a coil"},
    {11, 634, 329, 3, "a teapot"},
    {12, 640, 480, 3, "the letter A, flat"},
    {13, 640, 480, 3, "a tube seen at a slant"},
    {14, 620, 568, 1, "a Mandelbrot set in terraces"},
    {15, 640, 480, 3, "three interlocking open rings"},
    {16, 550, 360, 3, "a steam locomotive"},
    {17, 357, 427, 3, "a lightning arrow, low relief"},
    {18, 533, 388, 3, "a heart outline, low relief"},
    {19, 640, 480, 3, "a dome with a brim on a stem"},
    {20, 640, 480, 3, "a ring standing on a cylinder"},
    {21, 800, 600, 1, "a trefoil knot"},
    {22, 600, 400, 3, "overlapping flat rectangles"},
    {23, 594, 630, 1, "a rose with stem and leaves"},
    {24, 640, 480, 3, "the characters 3D on a floor"},
    {25, 600, 299, 3, "a shark"},
    {26, 500, 350, 1, "a duck"},
    {27, 512, 512, 3, "a bushy cluster of rounded strands"},
    {28, 680, 680, 3, "a human figure with arms spread"},
}};

constexpr std::array<SampleInfo, 14> kTextures{{
    {1, 85, 118, 3, "mottled purple"},
    {2, 200, 180, 3, "multicoloured squiggles on black"},
    {3, 200, 180, 3, "blue cells"},
    {4, 135, 127, 3, "multicoloured pixel noise"},
    {5, 179, 164, 3, "bright blobs on black"},
    {6, 85, 118, 3, "green-yellow foliage"},
    {7, 150, 130, 3, "green speckles"},
    {8, 150, 130, 3, "red speckles on black"},
    {9, 100, 100, 3, "grey plaster"},
    {10, 200, 200, 3, "grey-blue rock"},
    {11, 200, 200, 3, "blue knitted wool"},
    {12, 200, 200, 3, "red marbled swirls"},
    {13, 256, 256, 3, "glass blocks in green and white"},
    {14, 169, 416, 3, "pink ornament strip"},
}};

}  // namespace

std::span<const SampleInfo> DepthMapSamples() { return kDepthMaps; }
std::span<const SampleInfo> TextureSamples() { return kTextures; }

}  // namespace resources
