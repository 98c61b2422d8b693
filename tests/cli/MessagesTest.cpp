// Every kind of problem the command line reports, worded as it prints it.
#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ApplySettings.h"
#include "Exception.h"
#include "FormatLists.h"
#include "Messages.h"
#include "PictureInputs.h"
#include "Refusals.h"

using namespace cli;

namespace {

std::string ReadLine(const std::string& File, const std::exception& E) { return ProblemLine(File, ReadFailureText(E)); }

// The line for reading Source as a 100 × 50 depth map shaped by Text.
std::string SourceLine(const std::string& Subject, const TPictureSource& Source, const TTextDepthOptions& Text = {}) {
    try {
        ReadSource(Source, TPictureRole::DepthMap, {}, false, {100, 50, Text, {}});
    } catch (const std::exception& E) {
        return ReadLine(Subject, E);
    }
    return "read";
}

// The line for the run that Args set up and the generator refuses; a File source reads as
// FilePicture.
std::string RefusalLine(const std::vector<std::string>& Args, const TPicture& FilePicture = {}) {
    const Options Parsed = ParseOptions(Args);
    std::vector<TPicture> Pictures;
    Pictures.reserve(Parsed.Settings.size());
    std::vector<TLoadedSetting> Settings;
    for (const SettingAction& Action : Parsed.Settings) {
        const auto* Source = std::get_if<TPictureSource>(&Action.Value);
        const TPictureRole Role = Action.Target == Setting::DepthMap ? TPictureRole::DepthMap : TPictureRole::Texture;
        Pictures.push_back(!Source ? TPicture() : Source->From == TPictureSource::TKind::File ? FilePicture : ReadSource(*Source, Role, {}, false).Picture);
        Settings.push_back({&Action, &Pictures.back()});
    }
    TStereogram Generator(nullptr);
    const TSetUp Done = SetUpGenerator(Generator, Settings, false);
    try {
        Generator.Generate();
    } catch (const Exception& E) {
        const TProblem Problem = RefusalProblem(E, Generator, Done.Origins);
        return ProblemLine(Problem.Subject, Problem.Text);
    }
    return "(not refused)";
}

TPicture Blank(int Width, int Height) {
    TPicture Picture;
    Picture.SetGraphic(std::make_unique<TBitmap>(Width, Height));
    return Picture;
}

}  // namespace

TEST(CliMessages, EveryProblemIsOneEnglishLineWithItsReasonAndWhatToChange) {
    struct Case {
        const char* Kind;
        std::function<std::string()> Line;
        std::string Expected;
    };
    const std::string P = "stereogramm-cli: ";
    const Case Cases[] = {
        {"missing file", [] { return ReadLine("a.png", EFileError("", "a.png", ENOENT)); },
         P + "a.png: cannot read it: No such file or directory"},
        {"unreadable file", [] { return ReadLine("a.png", EFileError("", "a.png", EACCES)); },
         P + "a.png: cannot read it: Permission denied"},
        {"not a picture", [] { return ReadLine(SourceName("-"), EInvalidGraphic("", TReadFailure::NotAPicture)); },
         P + "standard input: not a picture in a format we read (" + ReadFormatNames() + ")"},
        {"damaged file", [] { return ReadLine("a.png", EInvalidGraphic("", TReadFailure::Damaged, "PNG", "Not enough image data")); },
         P + "a.png: damaged PNG file (Not enough image data)"},
        {"unsupported feature", [] { return ReadLine("a.jpg", EInvalidGraphic("", TReadFailure::Unsupported, "JPEG", "CMYK colour")); },
         P + "a.jpg: unsupported JPEG file (CMYK colour); save it as an 8-bit grey or RGB " + ReadFormatNames() + " file"},
        {"empty text", [] { return SourceLine("--depth text:", {TPictureSource::TKind::Text, 0, " "}); },
         P + "--depth text:: the text is empty; give words after --depth text:"},
        {"unknown font", [] { return SourceLine("--depth text:A", {TPictureSource::TKind::Text, 0, "A"}, {"NoSuchFont", {}}); },
         P + "--depth text:A: the font 'NoSuchFont' is not installed (see fc-list); give another --font, a name or a font file"},
        {"missing font file", [] { return SourceLine("--depth text:A", {TPictureSource::TKind::Text, 0, "A"}, {"/no/font.ttf", {}}); },
         P + "--depth text:A: the font file '/no/font.ttf' cannot be opened; give another --font"},
        {"text too long", [] { return SourceLine("--depth text:A", {TPictureSource::TKind::Text, 0, std::string(20000, 'A')}); },
         P + "--depth text:A: the text is too long (10000 characters at most); shorten the words after --depth text:"},
        {"damaged model", [] { return ReadLine("a.stl", EInvalidGraphic("", TReadFailure::Damaged, "STL", "no triangles")); },
         P + "a.stl: damaged STL file (no triangles)"},
        {"too large", [] { return ReadLine("a.png", EInvalidGraphic("", TReadFailure::TooLarge, "PNG", "100000 x 100000 pixels")); },
         P + "a.png: too large (100000 x 100000 pixels); pictures may have 16384 pixels a side and 256 MiB of pixels at "
             "most; scale it down"},
        {"no depth map", [] { return RefusalLine({"--depth", "none"}); },
         P + "there is no depth map (--depth none); give one with --depth FILE or --depth sample:N"},
        {"depth map without pixels", [] { return RefusalLine({"--depth", "empty.bmp"}); },
         P + "empty.bmp: the depth map has no pixels; give another with --depth"},
        {"no texture", [] { return RefusalLine({"--mask", "none"}); },
         P + "--type textured repeats a texture, and there is none (--mask none); give one with --mask FILE or --mask "
             "texture:N, or use --type random-dot-textured"},
        {"no separation", [] { return RefusalLine({"--max-depth", "0", "--min-depth", "0"}); },
         P + "the depth planes give no separation: the far plane at 0 inches (--max-depth) seen from 14 inches "
             "(--observ-distance) at 72 dpi gives 0 pixels; raise --max-depth, or give --separation N"},
        {"separation wider than the picture", [] { return RefusalLine({"--width", "50"}); },
         P + "the separation, 85 pixels, is wider than the picture, 50 pixels (--width); raise --width, or lower "
             "--max-depth (14) or --dpi (72), which set the separation"},
        {"too many samples a row",
         [] { return RefusalLine({"--type", "colored-dot", "--depth", "wide.png", "--type", "textured", "--oversampling", "8"}, Blank(2000, 10)); },
         P + "the picture is too wide for the textured kinds: --width 2000 at --oversampling 8 makes 16000 samples a row, "
             "more than a row holds; lower --oversampling or --width"},
        {"unwritable output", [] { return ProblemLine("out/a.png", WriteFailureText(EFileError("", "out/a.png", ENOENT))); },
         P + "out/a.png: cannot write it: its folder does not exist"},
        {"read-only output", [] { return ProblemLine("a.png", WriteFailureText(EFileError("", "a.png", EACCES))); },
         P + "a.png: cannot write it: Permission denied"},
    };
    for (const Case& C : Cases) EXPECT_EQ(C.Line(), C.Expected) << C.Kind;
}

TEST(CliMessages, EveryRefusalCodeIsWordedAsOneEnglishLineNamingTheOptionOrFile) {
    // What each code's line must name; the generator's are worded with a run's settings.
    const std::map<TRefusal, std::string> Named{
        {TRefusal::EmptyDepthMap, "--depth"},       {TRefusal::EmptyMask, "--mask"},
        {TRefusal::NoSeparation, "--max-depth"},    {TRefusal::SeparationTooWide, "--width"},
        {TRefusal::RowTooWide, "--oversampling"},   {TRefusal::EmptyPictureToWrite, "--width"},
        {TRefusal::TooLargeToWrite, "--width"},     {TRefusal::EncodingFailed, "x.webp"},
        {TRefusal::FormatNotWritten, "-o"},         {TRefusal::UnknownFormatToWrite, "-o"},
        {TRefusal::TextEmpty, "--depth text:"},     {TRefusal::TextTooLong, "--depth text:"},
        {TRefusal::TextWithoutDrawableCharacter, "--font"}, {TRefusal::FontNotFound, "--font"},
        {TRefusal::FontFileUnreadable, "--font"},   {TRefusal::FontUnreadable, "--font"},
        {TRefusal::FontWithoutOutlines, "--font"},  {TRefusal::FontconfigUnavailable, "--font"},
        {TRefusal::FreeTypeUnavailable, "--depth text:"}, {TRefusal::DepthMapTooSmall, "--width"},
        {TRefusal::NoChildProcess, "--depth"},
    };
    ASSERT_EQ(Named.size(), std::size_t(RefusalCount));
    TStereogram Generator(nullptr);
    SetUpGenerator(Generator, {}, false);
    const std::string LongValue(20000, 'x');
    for (const auto& [Code, Option] : Named) {
        const ERefusal E("Bild kann nicht geschrieben werden: höchstens 16383 Pixel", Code,
                         {.Subject = "WebP", .Limit = 16383, .Width = 16384, .Height = 100, .Detail = LongValue});
        const TProblem Run = RefusalProblem(E, Generator, {});
        const std::string Line =
            Code <= TRefusal::RowTooWide ? ProblemLine(Run.Subject, Run.Text) : ProblemLine("x.webp", WriteFailureText(E));
        for (const char* German : {" ist ", " nicht ", " kann ", " Bild ", " Pixel ", "ä", "ö", "ü", "ß"})
            EXPECT_EQ(Line.find(German), std::string::npos) << Line;
        EXPECT_NE(Line.find(Option), std::string::npos) << Line;
        EXPECT_EQ(Line.find('\n'), std::string::npos) << Line;
        EXPECT_LT(Line.size(), 400u) << "echoed values are shortened: " << Line;
    }
}
