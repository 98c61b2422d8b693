// Decoding UTF-8 text that may be damaged.
#pragma once

#include <string>
#include <string_view>

// The code points of Text. Each byte that does not start a well-formed sequence (stray
// continuation bytes, overlong forms, surrogates, values past U+10FFFF, sequences cut short
// at the end) becomes one U+FFFD; decoding never reads past the end.
std::u32string DecodeUtf8(std::string_view Text);

constexpr char32_t ReplacementCharacter = 0xFFFD;
