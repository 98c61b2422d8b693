// The command line's own words for what went wrong: English, one line each, built from
// the fields the framework's exceptions carry (their Message() is the window's German).
#pragma once

#include <exception>
#include <string>
#include <string_view>

#include "Stereogram.h"

namespace cli {

// "stereogramm-cli: Subject: Text", without "Subject: " when Subject is empty.
std::string ProblemLine(std::string_view Subject, std::string_view Text);
// "stereogramm-cli: warning: Subject: Text", likewise.
std::string WarningLine(std::string_view Subject, std::string_view Text);

// How messages name a picture source: the file name, or "standard input" for "-".
std::string SourceName(std::string_view FileName);

// Text a message echoes, cut to its first 80 characters with "..." after them when longer,
// and without its line breaks, so that the message stays one short line.
std::string Shortened(std::string_view Text);
// Shortened text in single quotes: 'sample:30'.
std::string Quoted(std::string_view Text);
// The option name of a kind: "colored-dot".
std::string KindName(TStereoGramType Type);

// Why a picture could not be read, with what to do where that helps.
std::string ReadFailureText(const std::exception& E);
// Why a file could not be written.
std::string WriteFailureText(const std::exception& E);

}  // namespace cli
