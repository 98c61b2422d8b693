#include "Console.h"

#include "Messages.h"
#include "StandardStreams.h"

namespace cli {

TConsole::TConsole(bool Quiet, bool NoWarnings)
    : FQuiet(Quiet), FNoWarnings(NoWarnings), FShowsProgress(!Quiet && StandardErrorIsTerminal()) {}

void TConsole::Tell(const std::string& Line) {
    // Clears a progress line first and draws it again below the message.
    if (FProgressShown) std::fputs("\r\033[K", stderr);
    std::fprintf(stderr, "%s\n", Line.c_str());
    if (FProgressShown) FBar.Redraw();
    std::fflush(stderr);
}

void TConsole::Problem(std::string_view Subject, std::string_view Text) {
    const std::lock_guard Hold(FLock);
    Tell(ProblemLine(Subject, Text));
}

void TConsole::Warning(std::string_view Subject, std::string_view Text) {
    if (FNoWarnings) return;
    const std::lock_guard Hold(FLock);
    std::string Line = WarningLine(Subject, Text);
    if (FWarned.insert(Line).second) Tell(Line);
}

void TConsole::Summary(const std::string& Line, bool ToStandardError) {
    if (FQuiet) return;
    const std::lock_guard Hold(FLock);
    std::fprintf(ToStandardError ? stderr : stdout, "%s\n", Line.c_str());
}

void TConsole::FilesDone(int Done, int Total, std::string_view Units) {
    if (!FShowsProgress) return;
    const std::lock_guard Hold(FLock);
    // Threads may report out of turn; the line only ever advances.
    if (Done <= FFilesShown) return;
    FFilesShown = Done;
    FBar.ShowCount(Done, Total, Units);
    FProgressShown = Done < Total;
}

}  // namespace cli
