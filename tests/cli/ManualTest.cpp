// The manual page and the shell completion name the options that --help names, and the
// completion offers the values the tool takes.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "HelpText.h"
#include "OptionNames.h"
#include "PictureFormats.h"
#include "SampleLibrary.h"

namespace {

using Words = std::set<std::string>;

Words Matches(const std::string& Text, const std::regex& Pattern) {
    Words Found;
    for (auto M = std::sregex_iterator(Text.begin(), Text.end(), Pattern); M != std::sregex_iterator(); ++M)
        for (std::size_t Group = 1; Group < M->size(); ++Group)
            if ((*M)[Group].matched) Found.insert((*M)[Group].str());
    return Found;
}

// The options that head the entries of --help: "  -o, --output FILE" and "      --fit".
Words HelpOptions() { return Matches(cli::HelpText(), std::regex(R"(\n  (?:(-[a-z]), |    )(--[a-z][a-z-]*))")); }

// The options that head the manual page's entries: the line after each .TP.
Words ManualOptions() {
    std::ifstream In(STEREOGRAMM_MAN_PAGE);
    std::string Text, Line;
    for (bool Heading = false; std::getline(In, Line); Heading = Line == ".TP")
        if (Heading) Text += std::regex_replace(Line, std::regex(R"(\\-)"), "-") + "\n";
    return Matches(Text, std::regex(R"((?:^|[ "])(--?[a-z][a-z-]*))"));
}

// What the completion offers after Line.
Words Completions(const std::string& Line) {
    const std::string Command = "cd / && bash -c 'source \"$1\"; COMP_LINE=\"$2\"; COMP_POINT=${#COMP_LINE}; _stereogramm_cli; "
                                "printf \"%s\\n\" \"${COMPREPLY[@]}\"' _ " STEREOGRAMM_COMPLETION " '" + Line + "'";
    std::FILE* Pipe = popen(Command.c_str(), "r");
    Words Offered;
    char Word[256];
    while (Pipe && std::fgets(Word, sizeof Word, Pipe)) Offered.insert(std::string(Word, std::strcspn(Word, "\n")));
    if (Pipe) pclose(Pipe);
    return Offered;
}

template <class E, std::size_t N>
Words NamesOf(const std::array<NamedValue<E>, N>& Names) {
    Words Result;
    for (const auto& Entry : Names) Result.emplace(Entry.Name);
    return Result;
}

}  // namespace

TEST(CliManual, ManualPageAndCompletionNameEveryOptionOfTheHelpAndNoOther) {
    const Words Help = HelpOptions();
    EXPECT_GT(Help.size(), 25u);
    EXPECT_EQ(ManualOptions(), Help);
    EXPECT_EQ(Completions("stereogramm-cli --width 5 -"), Help);
}

TEST(CliManual, CompletionOffersTheKindsTheFormatsAndTheSamples) {
    EXPECT_EQ(Completions("stereogramm-cli --type "), NamesOf(StereoTypeNames));
    EXPECT_EQ(Completions("stereogramm-cli --blur "), NamesOf(BlurNames));
    EXPECT_EQ(Completions("stereogramm-cli --dot-color "), NamesOf(DotColorNames));
    Words Written;
    for (const TFileFormatInfo& F : FileFormats())
        if (F.Writes) Written.emplace(F.Extensions.front().substr(1));
    EXPECT_EQ(Completions("stereogramm-cli --format "), Written);
    // After the colon only the number is completed, as bash splits words there.
    Words Twenties;
    for (int N = 1; N <= SampleCount(TPictureRole::DepthMap); ++N)
        if (std::to_string(N).starts_with('2')) Twenties.insert(std::to_string(N));
    EXPECT_EQ(Completions("stereogramm-cli --depth sample:2"), Twenties);
    EXPECT_EQ(Completions("stereogramm-cli --mask texture:").size(), std::size_t(SampleCount(TPictureRole::Texture)));
    EXPECT_TRUE(Completions("stereogramm-cli --depth e").contains("etc")) << "file names";
}
