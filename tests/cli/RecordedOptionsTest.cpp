#include "RecordedOptions.h"

#include "ShellWord.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cli;

TEST(CliRecordedOptions, SettingsInTheirOrderThenTheSeed) {
    const std::vector<std::string> Args{"-q", "--type", "colored-dot", "--blur=light", "-o", "x.png", "--seed", "3", "--width", "-5"};
    EXPECT_EQ(RecordedOptions(ParseOptions(Args), 77), "--type colored-dot --blur light --width -5 --seed 77");
    EXPECT_EQ(RecordedOptions(ParseOptions(std::vector<std::string>{}), 0), "--seed 0");
}

// What a shell would make of the record: the words as they were, quotes and all.
TEST(CliRecordedOptions, RecordSplitsBackIntoTheWordsItWasMadeOf) {
    const std::vector<std::string> Words{"--depth", "/tmp/Tiefe 1.png", "--font", "it's", "--seed", "7", ""};
    std::string Line;
    for (const std::string& Word : Words) Line += ShellWord(Word) + " ";
    EXPECT_EQ(SplitShellWords(Line), Words);
    EXPECT_EQ(SplitShellWords("  a\\ b  'c'd "), (std::vector<std::string>{"a b", "cd"}));
    EXPECT_FALSE(SplitShellWords("--depth 'open"));
}
