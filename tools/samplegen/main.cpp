// samplegen: renders the built-in depth maps and textures into the resources folder and
// draws the contact sheet.  Usage: samplegen <resources directory> <contact sheet .png>
#include <array>
#include <exception>
#include <filesystem>
#include <iostream>
#include <stdexcept>
#include <string>

#include "ContactSheet.h"
#include "JpegWriter.h"
#include "PngWriter.h"
#include "SampleCatalog.h"
#include "Samples.h"

namespace {

using namespace samplegen;

constexpr std::array<GreyImage (*)(), 28> kDepthRenderers{
    RenderDepth1,  RenderDepth2,  RenderDepth3,  RenderDepth4,  RenderDepth5,  RenderDepth6,  RenderDepth7,
    RenderDepth8,  RenderDepth9,  RenderDepth10, RenderDepth11, RenderDepth12, RenderDepth13, RenderDepth14,
    RenderDepth15, RenderDepth16, RenderDepth17, RenderDepth18, RenderDepth19, RenderDepth20, RenderDepth21,
    RenderDepth22, RenderDepth23, RenderDepth24, RenderDepth25, RenderDepth26, RenderDepth27, RenderDepth28,
};

constexpr std::array<RgbImage (*)(), 14> kTextureRenderers{
    RenderTexture1, RenderTexture2,  RenderTexture3,  RenderTexture4,  RenderTexture5,  RenderTexture6,  RenderTexture7,
    RenderTexture8, RenderTexture9, RenderTexture10, RenderTexture11, RenderTexture12, RenderTexture13, RenderTexture14,
};

template <typename Image>
void CheckSize(const Image& image, const resources::SampleInfo& info, const std::string& name) {
    if (image.width != info.Width || image.height != info.Height)
        throw std::runtime_error(name + " was rendered " + std::to_string(image.width) + " x " + std::to_string(image.height) +
                                 ", the catalogue says " + std::to_string(info.Width) + " x " + std::to_string(info.Height));
}

std::string Label(const resources::SampleInfo& info) { return std::to_string(info.Number) + " " + info.Subject; }

int Run(const std::filesystem::path& resourceDir, const std::filesystem::path& sheetPath) {
    const auto depthInfo = resources::DepthMapSamples();
    const auto textureInfo = resources::TextureSamples();
    if (depthInfo.size() != kDepthRenderers.size() || textureInfo.size() != kTextureRenderers.size())
        throw std::runtime_error("the catalogue and the renderer table disagree on the number of pictures");

    SheetGroup depthGroup{"Depth maps", {}, 180, 135, false};
    for (std::size_t i = 0; i < kDepthRenderers.size(); ++i) {
        const resources::SampleInfo& info = depthInfo[i];
        const std::string name = "BEI" + std::to_string(info.Number) + ".jpg";
        const GreyImage image = kDepthRenderers[i]();
        CheckSize(image, info, name);
        WriteGreyJpeg(image, info.Channels == 1 ? JpegChannels::Grey : JpegChannels::Colour, (resourceDir / name).string());
        depthGroup.entries.push_back({Label(info), ToRgb(image)});
        std::cout << "wrote " << name << '\n';
    }

    SheetGroup textureGroup{"Textures (each shown tiled 2 x 2)", {}, 180, 180, true};
    for (std::size_t i = 0; i < kTextureRenderers.size(); ++i) {
        const resources::SampleInfo& info = textureInfo[i];
        const std::string name = "BILD" + std::to_string(info.Number) + ".jpg";
        RgbImage image = kTextureRenderers[i]();
        CheckSize(image, info, name);
        WriteColourJpeg(image, (resourceDir / name).string());
        textureGroup.entries.push_back({Label(info), std::move(image)});
        std::cout << "wrote " << name << '\n';
    }

    const std::array groups{std::move(depthGroup), std::move(textureGroup)};
    WritePng(MakeContactSheet(groups), sheetPath.string());
    std::cout << "wrote " << sheetPath.string() << '\n';
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: samplegen <resources directory> <contact sheet .png>\n";
        return 2;
    }
    try {
        return Run(argv[1], argv[2]);
    } catch (const std::exception& e) {
        std::cerr << "samplegen: " << e.what() << '\n';
        return 1;
    }
}
