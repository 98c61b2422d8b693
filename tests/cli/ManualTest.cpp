// The manual page and the shell completion name the options that --help names, and the
// completion offers the values the tool takes.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "HelpText.h"
#include "OptionNames.h"
#include "PictureFormats.h"
#include "SampleLibrary.h"

namespace {

using Words = std::set<std::string>;

// The words of Line that are option names: "-o", "--output"; quotes and commas separate.
Words OptionWords(const std::string& Line) {
    Words Found;
    std::string Word;
    for (const char C : Line + " ") {
        if (C == '-' || std::islower(static_cast<unsigned char>(C))) {
            Word += C;
            continue;
        }
        if (Word.size() >= 2 && Word[0] == '-' && Word.back() != '-' && std::islower(static_cast<unsigned char>(Word[Word[1] == '-' ? 2 : 1])))
            Found.insert(Word);
        Word.clear();
    }
    return Found;
}

// The options that head the entries of --help: "  -o, --output FILE" and "      --fit".
Words HelpOptions() {
    std::istringstream Help(cli::HelpText());
    Words Found;
    for (std::string Line; std::getline(Help, Line);)
        if (Line.starts_with("  -") || Line.starts_with("      --")) Found.merge(OptionWords(Line.substr(0, Line.find(' ', 6))));
    return Found;
}

// The options that head the manual page's entries: the line after each .TP.
Words ManualOptions() {
    std::ifstream In(STEREOGRAMM_MAN_PAGE);
    Words Found;
    std::string Line;
    for (bool Heading = false; std::getline(In, Line); Heading = Line == ".TP") {
        if (!Heading) continue;
        for (std::size_t At; (At = Line.find("\\-")) != std::string::npos;) Line.erase(At, 1);
        Found.merge(OptionWords(Line));
    }
    return Found;
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
