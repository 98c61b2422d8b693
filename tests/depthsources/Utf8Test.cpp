#include <gtest/gtest.h>

#include "Utf8.h"

TEST(Utf8, DamagedSequencesBecomeOneReplacementPerByteAndNothingIsReadPastTheEnd) {
    const char32_t R = ReplacementCharacter;
    const struct {
        std::string Bytes;
        std::u32string Expected;
    } Cases[] = {
        {"Abc", U"Abc"},
        {"\xC3\xBC\xE2\x82\xAC\xF0\x9F\x98\x80", U"ü€😀"},
        {"A\xC3", {U'A', R}},                            // cut short at the end
        {"\xE2\x82", {R, R}},                             // cut short at the end
        {"\x80z", {R, U'z'}},                             // stray continuation byte
        {"\xC0\xAF", {R, R}},                             // overlong '/'
        {"\xE0\x80\xAF", {R, R, R}},                      // overlong '/'
        {"\xED\xA0\x80", {R, R, R}},                      // a surrogate
        {"\xF4\x90\x80\x80", {R, R, R, R}},               // past U+10FFFF
        {"\xF4\x8F\xBF\xBF", {char32_t(0x10FFFF)}},       // the last code point
        {"\xC3(", {R, U'('}},                             // lead byte without its continuation
        {std::string("a\0b", 3), {U'a', U'\0', U'b'}},
    };
    for (const auto& C : Cases) EXPECT_EQ(DecodeUtf8(C.Bytes), C.Expected) << testing::PrintToString(C.Bytes);
}
