// The manual page and the shell completion name the options that --help names, the
// completion offers the values the tool takes, and the page states the settings table's ranges.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "HelpText.h"
#include "PaperSizes.h"
#include "PictureFormats.h"
#include "SampleLibrary.h"
#include "SettingsTable.h"

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

// The values a choice or paper setting takes.
Words ChoicesOf(const TSettingEntry& Entry) {
    Words Result;
    for (const TChoiceName& Choice : Entry.Choices) Result.emplace(Choice.Name);
    std::istringstream Papers(Entry.Kind == TSettingKind::Paper ? PaperNames() : "");
    for (std::string Name; std::getline(Papers >> std::ws, Name, ',');) Result.insert(Name);
    return Result;
}

// The manual page's text from Heading to the next .TP, as plain text.
std::string ManualText(const std::string& Heading) {
    std::ostringstream Read;
    Read << std::ifstream(STEREOGRAMM_MAN_PAGE).rdbuf();
    std::string Page = Read.str();
    for (const auto& [Escape, Plain] : {std::pair{"\\-", "-"}, std::pair{"\\(mu", "x"}})
        for (std::size_t At; (At = Page.find(Escape)) != std::string::npos;) Page.replace(At, std::strlen(Escape), Plain);
    const std::size_t From = Page.find(Heading);
    if (From == std::string::npos) return {};
    return Page.substr(From, Page.find(".TP", From + 3) - From);
}

// The phrases that state Entry's range.
std::vector<std::string> RangePhrases(const TSettingEntry& Entry) {
    const TSettingRange& R = Entry.Range;
    const auto N = [](int Value) { return std::to_string(Value); };
    switch (R.Rule) {
        case TRangeRule::None: return {};
        case TRangeRule::Clamped: return {N(R.Min) + " to " + N(R.Max)};
        case TRangeRule::SideOfLimit: return {N(R.Min) + " to " + N(R.Max), "up to " + N(R.LargeMax), "below " + N(R.Min) + " gives " + N(R.Fallback)};
        case TRangeRule::DpiOfSize: return {"at least " + N(R.Min)};
        case TRangeRule::BelowEyes: return {N(R.Min - 1) + " < N < dpi x 2.5"};
    }
    return {};
}

}  // namespace

TEST(CliManual, ManualPageAndCompletionNameEveryOptionOfTheHelpAndNoOther) {
    const Words Help = HelpOptions();
    EXPECT_GT(Help.size(), 25u);
    EXPECT_EQ(ManualOptions(), Help);
    EXPECT_EQ(Completions("stereogramm-cli --width 5 -"), Help);
}

TEST(CliManual, CompletionOffersTheKindsTheFormatsAndTheSamples) {
    for (const TSettingEntry& Entry : SettingsTable()) {
        if (Entry.Choices.empty() && Entry.Kind != TSettingKind::Paper) continue;
        EXPECT_EQ(Completions("stereogramm-cli " + std::string(Entry.Option) + " "), ChoicesOf(Entry)) << Entry.Option;
    }
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
    EXPECT_TRUE(Completions("stereogramm-cli --depth reveal:e").contains("etc")) << "a stereogram's file name";
}

TEST(CliManual, ManualPageStatesTheRangeOfEverySettingAsTheTableHasIt) {
    for (const TSettingEntry& Entry : SettingsTable()) {
        const std::string Paragraph = ManualText(".TP\n.BI " + std::string(Entry.Option) + " ");
        for (const std::string& Phrase : RangePhrases(Entry))
            EXPECT_NE(Paragraph.find(Phrase), std::string::npos) << Entry.Option << " should say " << Phrase << " in:\n" << Paragraph;
    }
}

TEST(CliManual, ManualPageStartsFromTheStartValuesOfTheTable) {
    const std::string Start = ManualText(".PP\nThe tool starts");
    for (const TSettingEntry& Entry : SettingsTable()) {
        const TSettingValue Value = StartValue(Entry);
        if (Entry.Target != TSettingTarget::Generator || std::holds_alternative<bool>(Value) || std::holds_alternative<std::monostate>(Value) ||
            Entry.Id == TSettingId::Separation)
            continue;
        const std::string Phrase = std::string(Entry.Option) + " " + SettingValueText(Entry, Value);
        EXPECT_NE(Start.find(Phrase), std::string::npos) << Phrase << " in:\n" << Start;
    }
}
