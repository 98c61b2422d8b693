#include "RecordedOptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace cli;

TEST(CliRecordedOptions, SettingsInTheirOrderThenTheSeed) {
    const std::vector<std::string> Args{"-q", "--type", "colored-dot", "--blur=light", "-o", "x.png", "--seed", "3", "--width", "-5"};
    EXPECT_EQ(RecordedOptions(ParseOptions(Args), 77), "--type colored-dot --blur light --width -5 --seed 77");
    EXPECT_EQ(RecordedOptions(ParseOptions(std::vector<std::string>{}), 0), "--seed 0");
}
