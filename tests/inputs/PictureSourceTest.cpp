#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "PictureSource.h"
#include "ShellWord.h"

namespace {

using TKind = TPictureSource::TKind;

TEST(PictureSource, TextNamesNothingASampleOrAFileAndIsWrittenBackAlike) {
    struct Case {
        const char* Text;
        TPictureRole Role;
        std::optional<TPictureSource> Source;
        const char* WrittenBack;
    };
    const Case Cases[] = {
        {"none", TPictureRole::DepthMap, TPictureSource{}, "none"},
        {"sample:28", TPictureRole::DepthMap, TPictureSource{TKind::Sample, 28, {}}, "sample:28"},
        {"texture:14", TPictureRole::Texture, TPictureSource{TKind::Sample, 14, {}}, "texture:14"},
        {"texture:1", TPictureRole::DepthMap, TPictureSource{TKind::File, 0, "texture:1"}, "texture:1"},
        {"./none", TPictureRole::Texture, TPictureSource{TKind::File, 0, "./none"}, "./none"},
        // \n breaks the line and \\ is a backslash, as typed in a shell; other backslashes stay.
        {"text:Hi\\nthere \\\\o/ \\x", TPictureRole::DepthMap, TPictureSource{TKind::Text, 0, "Hi\nthere \\o/ \\x"},
         "text:Hi\\nthere \\\\o/ \\\\x"},
        {"text:A", TPictureRole::Texture, TPictureSource{TKind::File, 0, "text:A"}, "text:A"},
        {"reveal:dots.png", TPictureRole::DepthMap, TPictureSource{TKind::Reveal, 0, "dots.png"}, "reveal:dots.png"},
        {"reveal:dots.png", TPictureRole::Texture, TPictureSource{TKind::File, 0, "reveal:dots.png"}, "reveal:dots.png"},
        {"reveal:", TPictureRole::DepthMap, std::nullopt, ""},
        {"sample:29", TPictureRole::DepthMap, std::nullopt, ""},
        {"texture:0", TPictureRole::Texture, std::nullopt, ""},
        {"sample:+1", TPictureRole::DepthMap, std::nullopt, ""},
        {"sample:", TPictureRole::DepthMap, std::nullopt, ""},
        {"", TPictureRole::DepthMap, std::nullopt, ""},
    };
    for (const Case& C : Cases) {
        EXPECT_EQ(ParsePictureSource(C.Text, C.Role), C.Source) << C.Text;
        if (C.Source) {
            EXPECT_EQ(PictureSourceText(*C.Source, C.Role), C.WrittenBack) << C.Text;
        }
    }
    // A file called like a keyword is written so that it reads back as that file.
    EXPECT_EQ(PictureSourceText({TKind::File, 0, "none"}, TPictureRole::DepthMap), "./none");
    EXPECT_EQ(PictureSourceText({TKind::File, 0, "sample:3"}, TPictureRole::DepthMap), "./sample:3");
    EXPECT_EQ(PictureSourceText({TKind::File, 0, "text:A"}, TPictureRole::DepthMap), "./text:A");
    EXPECT_EQ(PictureSourceText({TKind::File, 0, "reveal:a"}, TPictureRole::DepthMap), "./reveal:a");
}

TEST(PictureSource, ShellWordQuotesWhatAShellWouldSplitOrExpand) {
    EXPECT_EQ(ShellWord("maps/fly-2.png"), "maps/fly-2.png");
    EXPECT_EQ(ShellWord("my fly.png"), "'my fly.png'");
    EXPECT_EQ(ShellWord("$HOME*.png"), "'$HOME*.png'");
    EXPECT_EQ(ShellWord("it's.png"), "'it'\\''s.png'");
    EXPECT_EQ(ShellWord(""), "''");
}

}  // namespace
