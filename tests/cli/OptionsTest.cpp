#include "Options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cli;

namespace {

Options Parse(std::vector<std::string> Args) { return ParseOptions(Args); }

// The usage error's text, or "" when the arguments parse.
std::string UsageErrorOf(std::vector<std::string> Args) {
    try {
        ParseOptions(Args);
    } catch (const UsageError& E) {
        return E.what();
    }
    return "";
}

}  // namespace

TEST(CliOptions, NoArgumentsRenderTheStartStateToStereogramPng) {
    const Options O = Parse({});
    EXPECT_EQ(O.Action, Command::Render);
    EXPECT_TRUE(O.Settings.empty());
    EXPECT_EQ(O.OutputPath, "stereogram.png");
    EXPECT_FALSE(O.Seed);
    EXPECT_FALSE(O.Quiet);
}

TEST(CliOptions, SettingOptionsKeepTheirOrderAndTypedValues) {
    const Options O = Parse({"--oversampling", "4", "--type", "fast-random-dot", "--max-depth", "17.5", "--blur=heavy",
                             "--dot-color", "rgb", "--width", "-5", "--depth", "sample:28", "--mask", "texture:14"});
    ASSERT_EQ(O.Settings.size(), 8u);
    EXPECT_EQ(O.Settings[0].Target, Setting::Oversampling);
    EXPECT_EQ(std::get<int>(O.Settings[0].Value), 4);
    EXPECT_EQ(O.Settings[1].Target, Setting::StereoType);
    EXPECT_EQ(std::get<TStereoGramType>(O.Settings[1].Value), sgtFastRandomDot);
    EXPECT_EQ(std::get<double>(O.Settings[2].Value), 17.5);
    EXPECT_EQ(std::get<TBlurType>(O.Settings[3].Value), blurHeavy);
    EXPECT_EQ(O.Settings[3].Option, "--blur");
    EXPECT_EQ(O.Settings[3].Argument, "heavy");
    EXPECT_EQ(std::get<TRandomDotColorType>(O.Settings[4].Value), dctRGB);
    // A value that starts with '-' is still the option's value.
    EXPECT_EQ(std::get<int>(O.Settings[5].Value), -5);
    EXPECT_EQ(std::get<TPictureSource>(O.Settings[6].Value), (TPictureSource{TPictureSource::TKind::Sample, 28, {}}));
    EXPECT_EQ(std::get<TPictureSource>(O.Settings[7].Value), (TPictureSource{TPictureSource::TKind::Sample, 14, {}}));
}

TEST(CliOptions, PictureSourcesAreNoneSampleOrFile) {
    const Options O = Parse({"--depth", "none", "--mask", "my texture.png", "--depth", "./sample:1", "--mask", "sample:3"});
    EXPECT_EQ(std::get<TPictureSource>(O.Settings[0].Value).From, TPictureSource::TKind::None);
    EXPECT_EQ(std::get<TPictureSource>(O.Settings[1].Value), (TPictureSource{TPictureSource::TKind::File, 0, "my texture.png"}));
    EXPECT_EQ(std::get<TPictureSource>(O.Settings[2].Value).FileName, "./sample:1");
    // Textures are numbered as texture:N; sample:N names a depth map.
    EXPECT_EQ(std::get<TPictureSource>(O.Settings[3].Value).From, TPictureSource::TKind::File);
}

TEST(CliOptions, UnknownSampleNumbersAreUsageErrors) {
    EXPECT_EQ(UsageErrorOf({"--depth", "sample:29"}), "--depth: there is no 'sample:29' (sample:1 to sample:28, see --list-samples)");
    EXPECT_EQ(UsageErrorOf({"--depth", "reveal:"}), "--depth: reveal: needs the stereogram's file name after its colon");
    EXPECT_NE(UsageErrorOf({"--depth", "sample:0"}), "");
    EXPECT_NE(UsageErrorOf({"--depth", "sample:"}), "");
    EXPECT_NE(UsageErrorOf({"--depth", "sample:1x"}), "");
    EXPECT_EQ(UsageErrorOf({"--mask", "texture:15"}), "--mask: there is no 'texture:15' (texture:1 to texture:14, see --list-samples)");
    EXPECT_NE(UsageErrorOf({"--depth", ""}), "");
}

TEST(CliOptions, NumbersOutsideTheirTypeOrMalformedAreUsageErrors) {
    EXPECT_EQ(UsageErrorOf({"--width", "2147483648"}), "--width: '2147483648' is out of range (-2147483648 to 2147483647)");
    EXPECT_EQ(UsageErrorOf({"--width", "-2147483648"}), "");
    EXPECT_EQ(UsageErrorOf({"--dpi", "12a"}), "--dpi: '12a' is not a whole number");
    EXPECT_NE(UsageErrorOf({"--height", "1.5"}), "");
    EXPECT_NE(UsageErrorOf({"--height", ""}), "");
    EXPECT_EQ(UsageErrorOf({"--max-depth", "nan"}), "--max-depth: 'nan' is not a finite number");
    EXPECT_NE(UsageErrorOf({"--min-depth", "inf"}), "");
    EXPECT_EQ(UsageErrorOf({"--observ-distance", "1e999"}), "--observ-distance: '1e999' is out of range");
    EXPECT_EQ(UsageErrorOf({"--rotate", "1,2"}), "--rotate: '1,2' is not three angles X,Y,Z in degrees");
    EXPECT_EQ(UsageErrorOf({"--rotate", "1,2,x"}), "--rotate: 'x' is not a finite number");
    EXPECT_EQ(UsageErrorOf({"--paper", "A6"}), "--paper: 'A6' is not one of A5, A4, A3, A2, letter, legal");
    EXPECT_EQ(UsageErrorOf({"--threads", "0"}), "--threads: '0' is not a whole number from 1 up");
    EXPECT_EQ(UsageErrorOf({"--large=1"}), "--large: takes no value");
    EXPECT_EQ(UsageErrorOf({"--type", "stripes"}),
              "--type: 'stripes' is not one of fast-random-dot, colored-dot, random-dot-textured, textured");
    EXPECT_NE(UsageErrorOf({"--blur", "NONE"}), "");
}

TEST(CliOptions, SeedCoversTheWholeUnsignedRange) {
    EXPECT_EQ(Parse({"--seed", "0"}).Seed, 0u);
    EXPECT_EQ(Parse({"--seed", "4294967295"}).Seed, 4294967295u);
    EXPECT_EQ(Parse({"--seed", "1", "--seed=2"}).Seed, 2u);
    EXPECT_EQ(UsageErrorOf({"--seed", "4294967296"}), "--seed: '4294967296' is not a whole number from 0 to 4294967295");
    EXPECT_NE(UsageErrorOf({"--seed", "-1"}), "");
}

TEST(CliOptions, OutputIsAFileOfAFormatWeWriteAFolderOrStandardOutput) {
    EXPECT_EQ(Parse({"-o", "a.PNG"}).OutputPath, "a.PNG");
    EXPECT_EQ(Parse({"--output", "dir.png/b.bmp"}).OutputPath, "dir.png/b.bmp");
    EXPECT_EQ(Parse({"--output=c.ppm"}).OutputPath, "c.ppm");
    EXPECT_EQ(Parse({"-o", "frames/"}).OutputPath, "frames/");
    EXPECT_EQ(Parse({"-o", "-"}).OutputPath, "-");
    EXPECT_TRUE(UsageErrorOf({"-o", "a.txt"}).starts_with("--output: 'a.txt' does not end in a format we write (")) << UsageErrorOf({"-o", "a.txt"});
    EXPECT_NE(UsageErrorOf({"-o", "dir.png/noextension"}), "");
    EXPECT_NE(UsageErrorOf({"-o", ""}), "");
    EXPECT_NE(UsageErrorOf({"--depth-out", "-"}), "");
    EXPECT_EQ(Parse({"--format", "PNG"}).Format, "png");
    EXPECT_TRUE(UsageErrorOf({"--format", "txt"}).starts_with("--format: 'txt' is not a format we write (")) << UsageErrorOf({"--format", "txt"});
}

TEST(CliOptions, MalformedCommandLinesAreUsageErrors) {
    EXPECT_EQ(UsageErrorOf({"--width"}), "--width: missing value");
    EXPECT_EQ(UsageErrorOf({"--colour", "rgb"}), "unknown option '--colour'");
    EXPECT_EQ(UsageErrorOf({"--quiet=yes"}), "--quiet: takes no value");
    EXPECT_EQ(UsageErrorOf({"-qv"}), "unknown option '-qv'");
    EXPECT_EQ(UsageErrorOf({"-j", "0"}), "--jobs: '0' is not a whole number from 1 up");
    EXPECT_NE(UsageErrorOf({"-o"}), "");
}

TEST(CliOptions, ArgumentsThatAreNoOptionsAreFilesInTheirOrder) {
    const Options O = Parse({"a.png", "--width", "300", "b.jpg", "-j2", "-", "--", "--c.png"});
    EXPECT_EQ(O.Files, (std::vector<std::string>{"a.png", "b.jpg", "-", "--c.png"}));
    EXPECT_EQ(O.Settings.size(), 1u);
    EXPECT_EQ(O.Jobs, 2);
}

TEST(CliOptions, HelpVersionAndListEndTheParse) {
    EXPECT_EQ(Parse({"--width", "5", "--help", "--bogus"}).Action, Command::Help);
    EXPECT_EQ(Parse({"-h"}).Action, Command::Help);
    EXPECT_EQ(Parse({"--version", "x"}).Action, Command::Version);
    EXPECT_EQ(Parse({"--list-samples"}).Action, Command::ListSamples);
    const Options O = Parse({"-q", "--print-settings", "--dpi", "100"});
    EXPECT_EQ(O.Action, Command::PrintSettings);
    EXPECT_TRUE(O.Quiet);
    EXPECT_EQ(O.Settings.size(), 1u);
}
