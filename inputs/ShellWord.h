// Text as one word of a POSIX shell command line, for the options recorded with a picture.
#pragma once

#include <string>
#include <string_view>

// Unchanged when every character is safe, else in single quotes (a quote inside as '\'').
std::string ShellWord(std::string_view Text);
