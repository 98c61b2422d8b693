#include "Options.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <string_view>

#include "SampleLibrary.h"
#include "OptionNames.h"

namespace cli {
namespace {

enum class ValueKind : std::uint8_t { Integer, Number, DepthSource, MaskSource, StereoType, Blur, DotColor };

struct SettingOption {
    std::string_view Name;
    Setting Target;
    ValueKind Kind;
};

constexpr std::array<SettingOption, 14> SettingOptions{{
    {"--depth", Setting::DepthMap, ValueKind::DepthSource},
    {"--mask", Setting::MaskMap, ValueKind::MaskSource},
    {"--type", Setting::StereoType, ValueKind::StereoType},
    {"--blur", Setting::Blur, ValueKind::Blur},
    {"--dot-color", Setting::DotColor, ValueKind::DotColor},
    {"--dot-intensity", Setting::DotIntensity, ValueKind::Integer},
    {"--oversampling", Setting::Oversampling, ValueKind::Integer},
    {"--observ-distance", Setting::ObservDistance, ValueKind::Number},
    {"--max-depth", Setting::MaxDepth, ValueKind::Number},
    {"--min-depth", Setting::MinDepth, ValueKind::Number},
    {"--dpi", Setting::DPI, ValueKind::Integer},
    {"--width", Setting::Width, ValueKind::Integer},
    {"--height", Setting::Height, ValueKind::Integer},
    {"--separation", Setting::Separation, ValueKind::Integer},
}};

constexpr std::array<std::string_view, 3> OutputExtensions{".png", ".bmp", ".ppm"};

std::string Quoted(std::string_view Text) { return "'" + std::string(Text) + "'"; }

[[noreturn]] void Fail(std::string_view Option, const std::string& Problem) {
    throw UsageError(std::string(Option) + ": " + Problem);
}

// Parses all of Text as a T; false when it is not such a number. OutOfRange tells a number
// too large for T from text that is no number at all.
template <class T>
bool ParseWhole(std::string_view Text, T& Value, bool& OutOfRange) {
    const char* End = Text.data() + Text.size();
    const auto [Stop, Error] = std::from_chars(Text.data(), End, Value);
    OutOfRange = Error == std::errc::result_out_of_range && Stop == End;
    return !Text.empty() && Error == std::errc{} && Stop == End;
}

int ParseInteger(std::string_view Option, std::string_view Text) {
    int Value = 0;
    bool OutOfRange = false;
    if (ParseWhole(Text, Value, OutOfRange)) return Value;
    if (OutOfRange)
        Fail(Option, Quoted(Text) + " is out of range (" + std::to_string(std::numeric_limits<int>::min()) + " to " +
                         std::to_string(std::numeric_limits<int>::max()) + ")");
    Fail(Option, Quoted(Text) + " is not a whole number");
}

double ParseNumber(std::string_view Option, std::string_view Text) {
    double Value = 0;
    bool OutOfRange = false;
    if (ParseWhole(Text, Value, OutOfRange) && std::isfinite(Value)) return Value;
    if (OutOfRange) Fail(Option, Quoted(Text) + " is out of range");
    Fail(Option, Quoted(Text) + " is not a finite number");
}

std::uint32_t ParseSeed(std::string_view Option, std::string_view Text) {
    std::uint32_t Value = 0;
    bool OutOfRange = false;
    if (ParseWhole(Text, Value, OutOfRange)) return Value;
    Fail(Option, Quoted(Text) + " is not a whole number from 0 to 4294967295");
}

TPictureSource ParseSource(std::string_view Option, std::string_view Text, TPictureRole Role) {
    if (Text.empty()) Fail(Option, "the file name is empty");
    if (const auto Source = ParsePictureSource(Text, Role)) return *Source;
    const std::string Prefix(SamplePrefix(Role));
    const auto All = Samples(Role);
    Fail(Option, "there is no " + Quoted(Text) + " (" + Prefix + std::to_string(All.front().Number) + " to " + Prefix +
                     std::to_string(All.back().Number) + ", see --list-samples)");
}

template <class E>
E ParseName(std::string_view Option, std::string_view Text, std::span<const NamedValue<E>> Names) {
    if (const auto Value = ValueOfName(Names, Text)) return *Value;
    std::string Choices;
    for (const auto& Entry : Names) Choices += (Choices.empty() ? "" : ", ") + std::string(Entry.Name);
    Fail(Option, Quoted(Text) + " is not one of " + Choices);
}

SettingValue ParseSettingValue(const SettingOption& Option, std::string_view Text) {
    switch (Option.Kind) {
        case ValueKind::Integer: return ParseInteger(Option.Name, Text);
        case ValueKind::Number: return ParseNumber(Option.Name, Text);
        case ValueKind::DepthSource: return ParseSource(Option.Name, Text, TPictureRole::DepthMap);
        case ValueKind::MaskSource: return ParseSource(Option.Name, Text, TPictureRole::Texture);
        case ValueKind::StereoType: return ParseName<TStereoGramType>(Option.Name, Text, StereoTypeNames);
        case ValueKind::Blur: return ParseName<TBlurType>(Option.Name, Text, BlurNames);
        case ValueKind::DotColor: return ParseName<TRandomDotColorType>(Option.Name, Text, DotColorNames);
    }
    Fail(Option.Name, "unknown kind of value");
}

std::string CheckedOutputPath(std::string_view Option, std::string_view Path) {
    std::string Extension;
    if (const auto Dot = Path.rfind('.'); Dot != std::string_view::npos && Path.find('/', Dot) == std::string_view::npos)
        for (const char C : Path.substr(Dot)) Extension += char(std::tolower(static_cast<unsigned char>(C)));
    if (std::ranges::find(OutputExtensions, Extension) == OutputExtensions.end())
        Fail(Option, Quoted(Path) + " does not end in .png, .bmp or .ppm");
    return std::string(Path);
}

// Reads the argument list one option at a time; a value is either joined with '='
// (--width=200) or the next argument (--width 200, also when it starts with '-').
class Parser {
public:
    explicit Parser(std::span<const std::string> Args) : FArgs(Args) {}

    Options Run() {
        Options Result;
        while (FNext < FArgs.size()) {
            const std::string_view Arg = FArgs[FNext++];
            const auto Equals = Arg.starts_with("--") ? Arg.find('=') : std::string_view::npos;
            FName = Arg.substr(0, Equals);
            FJoinedValue = Equals == std::string_view::npos ? std::nullopt : std::optional(Arg.substr(Equals + 1));
            if (ReadCommand(Result)) return Result;
            ReadOption(Result);
        }
        return Result;
    }

private:
    // The options that end the parse; true when FName was one of them.
    bool ReadCommand(Options& Result) {
        if (FName == "-h" || FName == "--help") Result.Action = Command::Help;
        else if (FName == "--version") Result.Action = Command::Version;
        else if (FName == "--list-samples") Result.Action = Command::ListSamples;
        else return false;
        NoValue();
        return true;
    }

    void ReadOption(Options& Result) {
        if (FName == "-o" || FName == "--output") Result.OutputPath = CheckedOutputPath("--output", Value());
        else if (FName == "--seed") Result.Seed = ParseSeed(FName, Value());
        else if (FName == "-q" || FName == "--quiet") {
            NoValue();
            Result.Quiet = true;
        } else if (FName == "--print-settings") {
            NoValue();
            Result.Action = Command::PrintSettings;
        } else if (const auto Option = std::ranges::find(SettingOptions, FName, &SettingOption::Name); Option != SettingOptions.end()) {
            const std::string_view Text = Value();
            Result.Settings.push_back({Option->Target, ParseSettingValue(*Option, Text), std::string(Option->Name), std::string(Text)});
        } else if (FName.starts_with("-"))
            throw UsageError("unknown option " + Quoted(FName));
        else
            throw UsageError("unexpected argument " + Quoted(FName));
    }

    std::string_view Value() {
        if (FJoinedValue) return *FJoinedValue;
        if (FNext == FArgs.size()) Fail(FName, "missing value");
        return FArgs[FNext++];
    }

    void NoValue() const {
        if (FJoinedValue) Fail(FName, "takes no value");
    }

    std::span<const std::string> FArgs;
    std::size_t FNext = 0;
    std::string_view FName;
    std::optional<std::string_view> FJoinedValue;
};

}  // namespace

Options ParseOptions(std::span<const std::string> Args) { return Parser(Args).Run(); }

}  // namespace cli
