// Every setting of the generator and of the shaping of text and model depth maps, once:
// its option name, the kind of its value, its limits (the generator's own constants), a
// line of English help, the window's German label, and how to read it from a generator
// and apply it through the generator's setters. The command line's parser, help, report
// and the window's record and settings panel are views of this table.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "OptionNames.h"
#include "PictureSource.h"
#include "Stereogram.h"

// The settings, in the order of the table.
enum class TSettingId : std::uint8_t {
    DepthMap, MaskMap, StereoType, Blur, DotColor, DotIntensity, Oversampling,
    ObservDistance, MaxDepth, MinDepth, DPI, Width, Height, Separation,
    Large, Paper, Landscape, GuideDots, CrossEyed, Threads,
    Font, TextProfile, Camera, Rotation,  // shape a later text or model depth map; set nothing themselves
    InvertDepth, Fit,                     // act on the depth map as it is read and before the run
};

// Degrees about the x, y and z axes.
struct TRotation {
    double X = 0, Y = 0, Z = 0;

    bool operator==(const TRotation&) const = default;
};

enum class TSettingKind : std::uint8_t {
    Integer,      // a whole number, kept by the setter as Range says
    Count,        // a whole number from 1 up
    Number,       // a finite number
    Choice,       // one of Choices; the value is the enumerator's number
    Flag,         // on or off
    DepthSource,  // a picture, sample, text or model for the depth map
    MaskSource,   // a picture or built-in texture
    Text,         // a name (of a font)
    Rotation,     // three angles in degrees
    Paper,        // the name of a paper size
};

// A choice's value is its enumerator as an int; a paper is its name.
using TSettingValue = std::variant<std::monostate, bool, int, double, std::string, TRotation, TPictureSource>;

// How the setter keeps a whole number.
enum class TRangeRule : std::uint8_t {
    None,         // as given
    Clamped,      // within Min … Max
    SideOfLimit,  // below Min gives Fallback; above Max (LargeMax under the large limit) gives the maximum
    DpiOfSize,    // at least Min; above the output's width or height gives half of that side
    BelowEyes,    // kept only when Min ≤ N < DPI × TStereogram::EyeDistanceInches, else ignored
};

struct TSettingRange {
    TRangeRule Rule = TRangeRule::None;
    int Min = 0, Max = 0;
    int LargeMax = 0;  // SideOfLimit: the maximum under the large size limit
    int Fallback = 0;  // SideOfLimit: what a value below Min gives
};

struct TChoiceName {
    std::string_view Name;  // the option's word: "textured"
    int Value;
    std::string_view Label{};  // the window's German word: "Textur"
};

// What a setting shapes: the generator's picture, a later text or model depth map, or the
// depth map as it is read; or only how the generator runs (the same picture either way).
enum class TSettingTarget : std::uint8_t { Generator, Text, Model, DepthReading, Run };

struct TSettingEntry {
    TSettingId Id;
    std::string_view Option;     // "--oversampling"
    std::string_view ValueName;  // "N"; empty for a flag
    TSettingKind Kind;
    TSettingTarget Target;
    std::string_view Help;   // one line of English, without the range
    std::string_view Label;  // the window's German label
    TSettingRange Range{};
    std::string_view Note{};  // English, said after the range: what a value outside it or none gives
    std::span<const TChoiceName> Choices{};
    // The value a generator holds, and setting one through its setters; null for a setting
    // the generator does not hold (pictures, shaping, reading).
    TSettingValue (*Read)(const TStereogram&) = nullptr;
    void (*Apply)(TStereogram&, const TSettingValue&) = nullptr;
};

// The names of Names as a choice list, each with the window's word of the same place in Labels.
template <class E, std::size_t N>
constexpr std::array<TChoiceName, N> ChoiceNamesOf(const std::array<NamedValue<E>, N>& Names,
                                                   const std::array<std::string_view, N>& Labels) {
    std::array<TChoiceName, N> Choices{};
    for (std::size_t I = 0; I < N; ++I) Choices[I] = {Names[I].Name, int(Names[I].Value), Labels[I]};
    return Choices;
}

inline constexpr auto StereoTypeChoices = ChoiceNamesOf(StereoTypeNames, {"Zufallspunkte", "Farbpunkte", "Zufallspunkt-Textur", "Textur"});
inline constexpr auto BlurChoices = ChoiceNamesOf(BlurNames, {"keine", "leicht", "mittel", "stark"});
inline constexpr auto DotColorChoices = ChoiceNamesOf(DotColorNames, {"Schwarz-Weiß", "Farbig"});
inline constexpr auto ReliefProfileChoices = ChoiceNamesOf(ReliefProfileNames, {"flach", "rund"});
inline constexpr auto ProjectionChoices = ChoiceNamesOf(ProjectionNames, {"parallel", "perspektivisch"});

// The table, in the order of TSettingId.
std::span<const TSettingEntry> SettingsTable();
const TSettingEntry& SettingEntry(TSettingId Id);
// The setting whose option is Option ("--width"), if any.
const TSettingEntry* FindSetting(std::string_view Option);

// The value the setting has when the program starts: what the generator holds after
// ApplyStartSettings, or the depth sources' own start for the shaping settings; nothing
// for a Run setting, which each front end fits to the machine.
TSettingValue StartValue(const TSettingEntry& Entry);

// The value as the command line reads it back: "4", "14", "textured", "0,180,0"; a flag
// gives "on" or "off".
std::string SettingValueText(const TSettingEntry& Entry, const TSettingValue& Value);
// The name of choice Value of Entry, or "?".
std::string_view ChoiceName(const TSettingEntry& Entry, int Value);
// The choice of Entry called Name, if any.
std::optional<int> ChoiceValue(const TSettingEntry& Entry, std::string_view Name);
