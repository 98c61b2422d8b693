#include "OptionTable.h"

#include <algorithm>
#include <array>

namespace cli {
namespace {

using G = OptionGroup;

void ReadSetting(Options& O, const OptionSpec& S, std::string_view V) {
    O.Settings.push_back({S.Target, ParseSettingValue(S.Long, S.Kind, V), std::string(S.Long), std::string(V)});
}

// A setting of the settings table, which gives its name, value and help.
OptionSpec SettingOption(Setting Target, ValueKind Kind, OptionGroup Group = G::Settings) {
    const TSettingEntry& Entry = SettingEntry(Target);
    return {.Long = Entry.Option, .ValueName = Entry.ValueName, .Group = Group, .Read = ReadSetting, .Target = Target, .Kind = Kind,
            .Entry = &Entry};
}

// An option that shapes a later text or model depth map.
OptionSpec ShapeOption(Setting Target, ValueKind Kind) { return SettingOption(Target, Kind, G::DepthMaps); }

// A switch of the settings table that the command line keeps for the whole run.
OptionSpec RunSwitch(Setting Target, void (*Read)(Options&, const OptionSpec&, std::string_view)) {
    const TSettingEntry& Entry = SettingEntry(Target);
    return {.Long = Entry.Option, .Group = G::DepthMaps, .Read = Read, .Entry = &Entry};
}

const std::array Table{
    SettingOption(Setting::DepthMap, ValueKind::DepthSource, G::Pictures),
    SettingOption(Setting::MaskMap, ValueKind::MaskSource, G::Pictures),

    ShapeOption(Setting::Font, ValueKind::Name),
    ShapeOption(Setting::TextProfile, ValueKind::ReliefProfile),
    ShapeOption(Setting::Camera, ValueKind::Projection),
    ShapeOption(Setting::Rotation, ValueKind::Rotation),

    RunSwitch(Setting::InvertDepth, [](Options& O, const OptionSpec&, std::string_view) { O.InvertDepth = true; }),
    RunSwitch(Setting::Fit, [](Options& O, const OptionSpec&, std::string_view) { O.FitDepth = true; }),
    OptionSpec{.Long = "--depth-out", .ValueName = "FILE", .Group = G::DepthMaps,
               .Help = "also write the depth map as the run reads it:\nfitted, inverted, placed at the output size",
               .Read = [](Options& O, const OptionSpec& S, std::string_view V) { O.DepthOutPath = CheckedOutputFile(S.Long, V); }},

    SettingOption(Setting::StereoType, ValueKind::StereoType),
    SettingOption(Setting::Blur, ValueKind::Blur),
    SettingOption(Setting::DotColor, ValueKind::DotColor),
    SettingOption(Setting::DotIntensity, ValueKind::Integer),
    SettingOption(Setting::Oversampling, ValueKind::Integer),
    SettingOption(Setting::ObservDistance, ValueKind::Number),
    SettingOption(Setting::MaxDepth, ValueKind::Number),
    SettingOption(Setting::MinDepth, ValueKind::Number),
    SettingOption(Setting::DPI, ValueKind::Integer),
    SettingOption(Setting::Width, ValueKind::Integer),
    SettingOption(Setting::Height, ValueKind::Integer),
    SettingOption(Setting::Separation, ValueKind::Integer),
    SettingOption(Setting::Large, ValueKind::Flag),
    SettingOption(Setting::Paper, ValueKind::Paper),
    SettingOption(Setting::Landscape, ValueKind::Flag),
    SettingOption(Setting::GuideDots, ValueKind::Flag),
    SettingOption(Setting::CrossEyed, ValueKind::Flag),
    SettingOption(Setting::Threads, ValueKind::Count),

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
    OptionSpec{.Long = "--print-settings", .Group = G::Output,
               .Help = "print the resulting settings as key=value\nlines (separation as the run would use it)\n"
                       "and render nothing",
               .Read = [](Options& O, const OptionSpec&, std::string_view) { O.Action = Command::PrintSettings; }},

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
