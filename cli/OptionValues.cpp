#include "OptionValues.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <limits>

#include "AnimationWriter.h"
#include "FormatLists.h"
#include "FrameLoop.h"
#include "Messages.h"
#include "SampleLibrary.h"

namespace cli {
namespace {

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

TPictureSource ParseSource(std::string_view Option, std::string_view Text, TPictureRole Role) {
    if (Text.empty()) Fail(Option, "the file name is empty");
    if (const auto Source = ParsePictureSource(Text, Role)) return *Source;
    if (Role == TPictureRole::DepthMap && Text == "reveal:") Fail(Option, "reveal: needs the stereogram's file name after its colon");
    Fail(Option, "there is no " + Quoted(Text) + " (" + SampleRange(Role) + ", see --list-samples)");
}

// "X,Y,Z": three numbers of degrees.
TRotation ParseRotation(std::string_view Option, std::string_view Text) {
    const auto First = Text.find(','), Second = Text.find(',', First + 1);
    if (First == std::string_view::npos || Second == std::string_view::npos || Text.find(',', Second + 1) != std::string_view::npos)
        Fail(Option, Quoted(Text) + " is not three angles X,Y,Z in degrees");
    return {ParseNumber(Option, Text.substr(0, First)), ParseNumber(Option, Text.substr(First + 1, Second - First - 1)),
            ParseNumber(Option, Text.substr(Second + 1))};
}

template <class E>
E ParseName(std::string_view Option, std::string_view Text, std::span<const NamedValue<E>> Names) {
    if (const auto Value = ValueOfName(Names, Text)) return *Value;
    std::string Choices;
    for (const auto& Entry : Names) Choices += (Choices.empty() ? "" : ", ") + std::string(Entry.Name);
    Fail(Option, Quoted(Text) + " is not one of " + Choices);
}

std::string_view ExtensionOf(std::string_view Path) {
    const auto Dot = Path.rfind('.');
    if (Dot == std::string_view::npos || Path.find('/', Dot) != std::string_view::npos) return {};
    return Path.substr(Dot + 1);
}

}  // namespace

std::string SampleRange(TPictureRole Role) {
    const std::string Prefix(SamplePrefix(Role));
    const auto All = Samples(Role);
    return Prefix + std::to_string(All.front().Number) + " to " + Prefix + std::to_string(All.back().Number);
}

SettingValue ParseSettingValue(std::string_view Option, ValueKind Kind, std::string_view Text) {
    switch (Kind) {
        case ValueKind::Integer: return ParseInteger(Option, Text);
        case ValueKind::Count: return ParseCount(Option, Text);
        case ValueKind::Flag: return 1;
        case ValueKind::Name:
            if (Text.empty()) Fail(Option, "the name is empty");
            return std::string(Text);
        case ValueKind::ReliefProfile: return ParseName<TReliefProfile>(Option, Text, ReliefProfileNames);
        case ValueKind::Projection: return ParseName<TProjection>(Option, Text, ProjectionNames);
        case ValueKind::Rotation: return ParseRotation(Option, Text);
        case ValueKind::Paper:
            if (const auto Paper = PaperOfName(Text)) return *Paper;
            Fail(Option, Quoted(Text) + " is not one of " + PaperNames());
        case ValueKind::Number: return ParseNumber(Option, Text);
        case ValueKind::DepthSource: return ParseSource(Option, Text, TPictureRole::DepthMap);
        case ValueKind::MaskSource: return ParseSource(Option, Text, TPictureRole::Texture);
        case ValueKind::StereoType: return ParseName<TStereoGramType>(Option, Text, StereoTypeNames);
        case ValueKind::Blur: return ParseName<TBlurType>(Option, Text, BlurNames);
        case ValueKind::DotColor: return ParseName<TRandomDotColorType>(Option, Text, DotColorNames);
    }
    Fail(Option, "unknown kind of value");
}

std::uint32_t ParseSeed(std::string_view Option, std::string_view Text) {
    std::uint32_t Value = 0;
    bool OutOfRange = false;
    if (ParseWhole(Text, Value, OutOfRange)) return Value;
    Fail(Option, Quoted(Text) + " is not a whole number from 0 to 4294967295");
}

int ParseCount(std::string_view Option, std::string_view Text) {
    int Value = 0;
    bool OutOfRange = false;
    if (ParseWhole(Text, Value, OutOfRange) && Value >= 1) return Value;
    Fail(Option, Quoted(Text) + " is not a whole number from 1 up");
}

int ParseFrameCount(std::string_view Option, std::string_view Text) {
    const int Frames = ParseInteger(Option, Text);
    if (Frames < MinAnimationFrames || Frames > MaxAnimationFrames)
        Fail(Option, Quoted(Text) + " is not a frame count from " + std::to_string(MinAnimationFrames) + " to " +
                         std::to_string(MaxAnimationFrames));
    return Frames;
}

double ParseFrameRate(std::string_view Option, std::string_view Text) {
    const double Fps = ParseNumber(Option, Text);
    if (!(Fps > 0) || Fps > MaxFramesPerSecond) Fail(Option, Quoted(Text) + " is not a frame rate above 0 and at most 1000");
    return Fps;
}

bool IsFolderPath(std::string_view Path) {
    std::error_code Error;
    return Path.ends_with('/') || std::filesystem::is_directory(std::filesystem::path(Path), Error);
}

std::string CheckedOutputFile(std::string_view Option, std::string_view Path) {
    if (!WrittenFormatOfExtension(ExtensionOf(Path)))
        Fail(Option, Quoted(Path) + " does not end in a format we write (" + WrittenExtensions() + ")");
    return std::string(Path);
}

std::string CheckedOutputTarget(std::string_view Option, std::string_view Path) {
    if (Path == StandardStream || (!Path.empty() && IsFolderPath(Path)) || IsAnimationPath(std::string(Path))) return std::string(Path);
    return CheckedOutputFile(Option, Path);
}

std::string CheckedFormat(std::string_view Option, std::string_view Extension) {
    std::string Lower;
    for (const char C : Extension) Lower += char(std::tolower(static_cast<unsigned char>(C)));
    if (!WrittenFormatOfExtension(Lower)) Fail(Option, Quoted(Extension) + " is not a format we write (" + WrittenExtensions() + ")");
    return Lower;
}

TStereoView ParseView(std::string_view Option, std::string_view Text) {
    static constexpr std::array<NamedValue<TStereoView>, 4> ViewNames{{
        {"anaglyph", TStereoView::Anaglyph},
        {"pair", TStereoView::Pair},
        {"wiggle", TStereoView::Wiggle},
        {"relief", TStereoView::Relief},
    }};
    return ParseName<TStereoView>(Option, Text, ViewNames);
}

}  // namespace cli
