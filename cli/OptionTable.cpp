#include "OptionTable.h"

#include <algorithm>
#include <array>

namespace cli {
namespace {

using G = OptionGroup;

void ReadSetting(Options& O, const OptionSpec& S, std::string_view V) {
    O.Settings.push_back({S.Target, ParseSettingValue(S.Long, S.Kind, V), std::string(S.Long), std::string(V)});
}

constexpr OptionSpec SettingOption(std::string_view Long, std::string_view ValueName, std::string_view Help, Setting Target,
                                   ValueKind Kind) {
    return {.Long = Long, .ValueName = ValueName, .Group = G::Settings, .Help = Help, .Read = ReadSetting, .Target = Target, .Kind = Kind};
}

// An option that shapes a later text or model depth map.
constexpr OptionSpec ShapeOption(std::string_view Long, std::string_view ValueName, std::string_view Help, Setting Target, ValueKind Kind) {
    OptionSpec Entry = SettingOption(Long, ValueName, Help, Target, Kind);
    Entry.Group = G::DepthMaps;
    return Entry;
}

constexpr std::array Table{
    OptionSpec{.Long = "--depth", .ValueName = "FILE|sample:N|text:WORDS|none|-", .Group = G::Pictures,
               .Help = "depth map: a picture or 3D model file, a\nbuilt-in sample (1 to 28), hidden text (\\n in\n"
                       "WORDS breaks the line), nothing, or - for a\npicture from standard input. Text and models\n"
                       "are drawn at the width and height set before",
               .Read = ReadSetting, .Target = Setting::DepthMap, .Kind = ValueKind::DepthSource},
    OptionSpec{.Long = "--mask", .ValueName = "FILE|texture:N|none|-", .Group = G::Pictures,
               .Help = "texture of the textured kind and colour source\nof colored-dot: a file, a built-in texture\n"
                       "(1 to 14), nothing, or - for standard input",
               .Read = ReadSetting, .Target = Setting::MaskMap, .Kind = ValueKind::MaskSource},

    ShapeOption("--font", "NAME|FILE", "font of a later text: depth map, a font name\nor file (default DejaVu Sans Bold)",
                  Setting::Font, ValueKind::Name),
    ShapeOption("--text-profile", "PROFILE", "relief of a later text: depth map: round\n(default) or flat",
                  Setting::TextProfile, ValueKind::ReliefProfile),
    ShapeOption("--camera", "PROJECTION", "how a later model file is seen: orthographic\n(default) or perspective",
                  Setting::Camera, ValueKind::Projection),
    ShapeOption("--rotate", "X,Y,Z", "turn a later model file by these degrees about\nthe x, y and z axes", Setting::Rotation,
                  ValueKind::Rotation),

    OptionSpec{.Long = "--invert-depth", .Group = G::DepthMaps,
               .Help = "white is far: every depth map is inverted as\nit is read (depth estimators often write so)",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.InvertDepth = true; }},
    OptionSpec{.Long = "--fit", .Group = G::DepthMaps,
               .Help = "scale the depth map to the output size before\nthe run: aspect kept, centred on black (far);\n"
                       "without it the map is centred and cut as is",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.FitDepth = true; }},
    OptionSpec{.Long = "--depth-out", .ValueName = "FILE", .Group = G::DepthMaps,
               .Help = "also write the depth map as the run reads it:\nfitted, inverted, placed at the output size",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.DepthOutPath = CheckedOutputFile(S.Long, V); }},

    SettingOption("--type", "KIND",
                  "fast-random-dot, colored-dot,\nrandom-dot-textured or textured; colored-dot\ntakes the depth map's size",
                  Setting::StereoType, ValueKind::StereoType),
    SettingOption("--blur", "STRENGTH", "none, light, medium or heavy depth jitter", Setting::Blur, ValueKind::Blur),
    SettingOption("--dot-color", "COLOR", "black-white or rgb random dots", Setting::DotColor, ValueKind::DotColor),
    SettingOption("--dot-intensity", "N", "share of black dots in percent (1 to 99)", Setting::DotIntensity, ValueKind::Integer),
    SettingOption("--oversampling", "N", "samples per pixel of the textured kinds\n(1 to 8)", Setting::Oversampling,
                  ValueKind::Integer),
    SettingOption("--observ-distance", "X", "viewing distance in inches", Setting::ObservDistance, ValueKind::Number),
    SettingOption("--max-depth", "X", "far plane in inches behind the picture", Setting::MaxDepth, ValueKind::Number),
    SettingOption("--min-depth", "X", "near plane in inches behind the picture", Setting::MinDepth, ValueKind::Number),
    SettingOption("--dpi", "N", "output pixels per inch (at least 10; a value\nabove the width or height becomes half of it)",
                  Setting::DPI, ValueKind::Integer),
    SettingOption("--width", "N", "output width (1 to 1024; below 1 gives 600)", Setting::Width, ValueKind::Integer),
    SettingOption("--height", "N", "output height (1 to 800; below 1 gives 600)", Setting::Height, ValueKind::Integer),
    SettingOption("--separation", "N", "far-plane separation in pixels; sets the far\nplane (ignored unless 0 < N < dpi x 2.5)",
                  Setting::Separation, ValueKind::Integer),
    SettingOption("--large", "", "lift the size limit to 16384 x 16384 from here\non (for prints): a later --width 3000 is kept",
                  Setting::Large, ValueKind::Flag),
    SettingOption("--paper", "SIZE",
                  "A5, A4, A3, A2, letter or legal: width and\nheight of the paper, upright, at the --dpi\n"
                  "given before it (A4 at 300 dpi: 2480 x 3508);\nimplies --large",
                  Setting::Paper, ValueKind::Paper),
    SettingOption("--landscape", "", "turn the output on its side when it stands\nupright: give it after --paper",
                  Setting::Landscape, ValueKind::Flag),
    SettingOption("--guide-dots", "", "two guide dots near the top, one separation\napart, to help the eyes converge",
                  Setting::GuideDots, ValueKind::Flag),
    SettingOption("--cross-eyed", "", "for viewing with crossed eyes: near is far", Setting::CrossEyed, ValueKind::Flag),
    SettingOption("--threads", "N",
                  "threads that render one picture (1 to 64;\ndefault: one per processor core, shared out\n"
                  "among the files --jobs renders at once)",
                  Setting::Threads, ValueKind::Count),

    OptionSpec{.Long = "--seed", .ValueName = "N", .Group = G::Output,
               .Help = "seed of the random dots (0 to 4294967295); the\nsame seed and settings give the same file.\n"
                       "Without it the time of day seeds each run.",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.Seed = ParseSeed(S.Long, V); }},
    OptionSpec{.Long = "--output", .Short = "-o", .ValueName = "FILE|DIR/|-", .Group = G::Output,
               .Help = "output: a file whose extension names the\nformat; a folder DIR/ (made if missing) that\n"
                       "gets <name>.png for each FILE; or - for\nstandard output (PNG). Default stereogram.png.\n"
                       "A PNG keeps the program version and the\noptions (seed included) in its text chunks\n"
                       "\"Software\" and \"Options\".",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.OutputPath = CheckedOutputTarget(S.Long, V); }},
    OptionSpec{.Long = "--format", .ValueName = "EXT", .Group = G::Output,
               .Help = "format of the files written into a folder or\nto standard output: the extension of a format\n"
                       "we write (listed below); default png",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.Format = CheckedFormat(S.Long, V); }},
    OptionSpec{.Long = "--jobs", .Short = "-j", .ValueName = "N", .Group = G::Output,
               .Help = "render N files at once (default: one per\nprocessor core)",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.Jobs = ParseCount(S.Long, V); }},
    OptionSpec{.Long = "--frames", .ValueName = "N", .Group = G::Output,
               .Help = "write an animation of N frames (2 to 10000)\nto -o FILE.gif|.webp|.mp4|.webm or DIR/\n"
                       "(frame-0001.png, ...); a depth video gives\nits first N frames",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.Frames = ParseFrameCount(S.Long, V); }},
    OptionSpec{.Long = "--spin", .ValueName = "X,Y,Z", .Group = G::Output,
               .Help = "turn a model by these degrees over the whole\nanimation, from --rotate on (360 loops)",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) {
                   O.Spin = std::get<TRotation>(ParseSettingValue(S.Long, ValueKind::Rotation, V));
               }},
    OptionSpec{.Long = "--fps", .ValueName = "F", .Group = G::Output, .Help = "frames a second of an animation (default 25)",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.Fps = ParseFrameRate(S.Long, V); }},
    OptionSpec{.Long = "--animate", .Group = G::Output,
               .Help = "the FILE arguments, in order, become the\nframes of one animation instead of a batch",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Animate = true; }},
    OptionSpec{.Long = "--same-dots", .Group = G::Output,
               .Help = "one dot pattern (the seed) for every frame;\nby default each frame k has seed + k",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.SameDots = true; }},
    OptionSpec{.Long = "--print-settings", .Group = G::Output,
               .Help = "print the resulting settings as key=value\nlines (separation as the run would use it)\n"
                       "and render nothing",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Action = Command::PrintSettings; }},

    OptionSpec{.Long = "--reveal", .ValueName = "FILE", .Group = G::Output,
               .Help = "write the depth map hidden in the stereogram\nFILE instead of rendering: the run's own levels\n"
                       "for a PNG whose options we recorded, else\nrelative depth (far black); --cross-eyed for\n"
                       "one drawn for crossed eyes",
               .Read = [](Options& O, const OptionSpec&, std::string_view V) { O.RevealPath = std::string(V); }},
    OptionSpec{.Long = "--view", .ValueName = "KIND", .Group = G::Output,
               .Help = "write a view of the depth map (the revealed\none with --reveal) that needs no trick of the\n"
                       "eyes: anaglyph (red-cyan), pair (side by side;\n--cross-eyed swaps them), wiggle (two frames,\n"
                       "GIF or WebP) or relief (shaded pair)",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.View = ParseView(S.Long, V); }},

    OptionSpec{.Long = "--quiet", .Short = "-q", .Group = G::Messages, .Help = "no progress bar and no summary line",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Quiet = true; }},
    OptionSpec{.Long = "--no-warnings", .Group = G::Messages, .Help = "no warnings (errors are still shown)",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.NoWarnings = true; }},

    OptionSpec{.Long = "--list-samples", .Group = G::Information, .Help = "list the built-in depth maps and textures",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Action = Command::ListSamples; },
               .EndsParse = true},
    OptionSpec{.Long = "--help", .Short = "-h", .Group = G::Information, .Help = "show this help",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Action = Command::Help; }, .EndsParse = true},
    OptionSpec{.Long = "--version", .Group = G::Information, .Help = "show the version",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Action = Command::Version; }, .EndsParse = true},
};

}  // namespace

std::span<const OptionSpec> OptionTable() { return Table; }

const OptionSpec* FindOption(std::string_view Name) {
    const auto Found = std::ranges::find_if(Table, [&](const OptionSpec& S) { return S.Long == Name || (!S.Short.empty() && S.Short == Name); });
    return Found == Table.end() ? nullptr : &*Found;
}

std::string_view GroupHeading(OptionGroup Group) {
    switch (Group) {
        case G::Pictures: return "Pictures";
        case G::DepthMaps: return "Depth maps";
        case G::Settings: return "Settings";
        case G::Output: return "Run and output";
        case G::Messages: return "Messages";
        case G::Information: return "Information";
    }
    return "";
}

}  // namespace cli
