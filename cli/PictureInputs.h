// Reading the pictures of one command line: the sources of --depth and --mask (a file, a
// built-in sample, nothing, or "-" for standard input) and the FILE arguments. Depth maps
// are inverted as they are read when --invert-depth asks for it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "Console.h"
#include "Options.h"
#include "PictureReader.h"

namespace cli {

// The picture Source names; "-" is read from StandardInput by its content. Raises as
// ReadPicture does.
TPictureRead ReadSource(const TPictureSource& Source, TPictureRole Role, std::span<const std::uint8_t> StandardInput, bool Invert);

// What every render of a command line shares: the picture of each setting (empty for the
// settings that set none), read once, before any render.
struct TSharedPictures {
    std::vector<TPicture> OfSetting;
};

// Reads them, with the readers' warnings told; a picture that cannot be read is reported
// and gives nothing.
std::optional<TSharedPictures> ReadSharedPictures(const Options& Parsed, TConsole& Console);

}  // namespace cli
