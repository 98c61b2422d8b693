// The command line turned into what to do: the setting options as an ordered list of
// actions (their order matters, because the generator's setters depend on each other),
// the depth maps to render one by one, and the options that steer the run and the output.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "DepthRasterizer.h"
#include "DistanceProfile.h"
#include "PaperSizes.h"
#include "PictureSource.h"
#include "SettingsTable.h"
#include "Stereogram.h"

namespace cli {

// A command line that cannot be used as given; the text is one line without the program name.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The setting options, as the settings table names them.
using Setting = TSettingId;

using SettingValue = std::variant<int, double, TPictureSource, TStereoGramType, TBlurType, TRandomDotColorType, TPaper, std::string,
                                  TReliefProfile, TProjection, TRotation>;

struct SettingAction {
    Setting Target;
    SettingValue Value;
    std::string Option;    // the long option name, e.g. "--width"
    std::string Argument;  // the value as the user wrote it; empty for an option without one
};

enum class Command : std::uint8_t { Render, PrintSettings, ListSamples, Help, Version };

// The name that stands for standard input or output in place of a file.
inline constexpr std::string_view StandardStream = "-";

struct Options {
    Command Action = Command::Render;
    std::vector<SettingAction> Settings;
    std::vector<std::string> Files;  // FILE arguments: depth maps, each rendered on its own
    std::optional<std::uint32_t> Seed;
    std::string OutputPath = "stereogram.png";  // a file, a folder ending in '/', or "-"
    std::string Format;                         // --format: extension of files in a folder or on "-"
    std::string DepthOutPath;                   // --depth-out; empty for none
    bool InvertDepth = false;
    bool FitDepth = false;
    int Jobs = 0;  // files rendered at once; 0 for one per core
    bool Quiet = false;
    bool NoWarnings = false;
};

// Parses the arguments after the program name. Raises UsageError for an unknown option, a
// missing or malformed value, a value outside its type's range, an unknown sample number,
// an output file name whose extension names no format we write, or a --format we do not
// write. "--" makes every later argument a FILE.
// --help, --version and --list-samples end the parse: what follows them is not read.
Options ParseOptions(std::span<const std::string> Args);

}  // namespace cli
