// Text as one word of a POSIX shell command line, for the options recorded with a picture.
#pragma once

#include <string>
#include <optional>
#include <string_view>
#include <vector>

// Unchanged when every character is safe, else in single quotes (a quote inside as '\'').
std::string ShellWord(std::string_view Text);

// The words of a line as ShellWord writes them: separated by blanks, each plain or made of
// single-quoted parts ('\'' gives a quote). Nothing when a quote is left open.
std::optional<std::vector<std::string>> SplitShellWords(std::string_view Line);
