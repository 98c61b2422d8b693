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

std::optional<std::vector<std::string>> SplitShellWords(std::string_view Line) {
    std::vector<std::string> Words;
    std::string Word;
    bool InWord = false, Quoted = false;
    for (std::size_t I = 0; I < Line.size(); ++I) {
        const char C = Line[I];
        if (Quoted) {
            if (C == '\'') Quoted = false;
            else Word += C;
        } else if (C == '\'') {
            Quoted = InWord = true;
        } else if (C == '\\' && I + 1 < Line.size()) {
            Word += Line[++I];
            InWord = true;
        } else if (C == ' ' || C == '\t' || C == '\n') {
            if (InWord) Words.push_back(std::move(Word));
            Word.clear();
            InWord = false;
        } else {
            Word += C;
            InWord = true;
        }
    }
    if (Quoted) return std::nullopt;
    if (InWord) Words.push_back(std::move(Word));
    return Words;
}
