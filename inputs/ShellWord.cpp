#include "ShellWord.h"

#include <algorithm>
#include <cctype>

std::string ShellWord(std::string_view Text) {
    const auto Safe = [](char C) {
        return std::isalnum(static_cast<unsigned char>(C)) || std::string_view("-_.,:/+=@%").find(C) != std::string_view::npos;
    };
    if (!Text.empty() && std::ranges::all_of(Text, Safe)) return std::string(Text);
    std::string Word = "'";
    for (const char C : Text) Word += C == '\'' ? std::string("'\\''") : std::string(1, C);
    return Word + "'";
}
