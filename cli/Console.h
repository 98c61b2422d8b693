// What the tool tells the user while it works: problems and warnings on standard error,
// one line each; the summary; the progress line over a batch. Safe to call from the
// threads of a batch: lines never mix, and a progress line is cleared before a message.
#pragma once

#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <string_view>

#include "ProgressBar.h"

namespace cli {

class TConsole {
public:
    // Quiet: no progress and no summary; NoWarnings: no warnings. Problems are always told.
    TConsole(bool Quiet, bool NoWarnings);

    void Problem(std::string_view Subject, std::string_view Text);
    // Each warning is told once, however many files of a batch raise it.
    void Warning(std::string_view Subject, std::string_view Text);
    // To standard output, or to standard error when standard output carries a picture.
    void Summary(const std::string& Line, bool ToStandardError);

    // True when progress is drawn: not quiet, and standard error is a terminal.
    bool ShowsProgress() const { return FShowsProgress; }
    // The progress line over a batch: Done of Total files (or other Units).
    void FilesDone(int Done, int Total, std::string_view Units = "files");

private:
    void Tell(const std::string& Line);

    std::mutex FLock;
    bool FQuiet;
    bool FNoWarnings;
    bool FShowsProgress;
    bool FProgressShown = false;  // a progress line is drawn and not finished
    int FFilesShown = -1;
    ProgressBar FBar{stderr};
    std::set<std::string> FWarned;
};

}  // namespace cli
