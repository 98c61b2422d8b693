// Reading the pictures of one command line: the sources of --depth and --mask (a file, a
// built-in sample, hidden text, nothing, or "-" for standard input) and the FILE arguments.
// Depth maps are inverted as they are read when --invert-depth asks for it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Console.h"
#include "Options.h"
#include "PictureReader.h"

namespace cli {

// The picture Source names; "-" is read from StandardInput by its content (a picture only).
// Text and model files take Shape. Raises as LoadPictureSource does.
TPictureRead ReadSource(const TPictureSource& Source, TPictureRole Role, std::span<const std::uint8_t> StandardInput, bool Invert,
                        const TDepthShape& Shape = {});

// What every render of a command line shares: the picture of each setting (empty for the
// settings that set none), read once, before any render.
struct TSharedPictures {
    std::vector<TPicture> OfSetting;
    // How a text or model of each setting is drawn (size and look at that point).
    std::vector<TDepthShape> ShapeOfSetting;
    // How a FILE argument that is a model is drawn: at the start size, as every --camera
    // and --rotate given says.
    TDepthShape OfFiles;
};

// Reads them, with the readers' warnings told; a picture that cannot be read is reported
// and gives nothing. A text or model depth map is drawn at the width and height the
// settings before it give, as the --font, --text-profile, --camera and --rotate before it say.
// ModelDrawnElsewhere is a setting whose model the caller draws itself (it is not read here,
// but the settings before it shape it).
std::optional<TSharedPictures> ReadSharedPictures(const Options& Parsed, TConsole& Console,
                                                  std::optional<std::size_t> ModelDrawnElsewhere = {});

}  // namespace cli
