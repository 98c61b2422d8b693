// The whole command: parse, configure the generator, render, write; the exit status
// tells how it went.
#pragma once

#include <span>
#include <string>

namespace cli {

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;      // refused run, unreadable input or unwritable output
constexpr int ExitUsageError = 2;  // the command line cannot be used as given

// Runs stereogramm-cli with the arguments after the program name.
int Run(std::span<const std::string> Args);

}  // namespace cli
