#include "Run.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <thread>

#include "Animation.h"
#include "Batch.h"
#include "Console.h"
#include "HelpText.h"
#include "Jobs.h"
#include "Messages.h"
#include "Options.h"
#include "PictureInputs.h"
#include "Renderer.h"
#include "RevealRun.h"

namespace cli {
namespace {

constexpr const char* ProgramName = "stereogramm-cli";

bool MadeOutputFolder(const std::string& Folder, TConsole& Console) {
    std::error_code Error;
    if (Folder.empty() || std::filesystem::is_directory(Folder, Error)) return true;
    std::filesystem::create_directories(Folder, Error);
    if (!Error) return true;
    Console.Problem(Folder, "cannot make the folder: " + Error.message());
    return false;
}

int Cores() { return int(std::max(1u, std::thread::hardware_concurrency())); }

// Files rendered at once: --jobs, or one per core, and never more than there are.
int FilesAtOnce(const Options& Parsed, std::size_t Files) {
    return std::clamp(Parsed.Jobs > 0 ? Parsed.Jobs : Cores(), 1, int(std::max<std::size_t>(Files, 1)));
}

int RenderJobs(const Options& Parsed, const TRenderer& Renderer, const std::vector<TJob>& Jobs, TConsole& Console) {
    const int Failed = RenderAll(Renderer, Jobs, FilesAtOnce(Parsed, Jobs.size()), Console);
    if (Jobs.size() > 1) {
        const int Total = int(Jobs.size());
        if (Failed > 0) Console.Problem({}, std::to_string(Failed) + " of " + std::to_string(Total) + " files failed");
        Console.Summary(std::to_string(Total - Failed) + " of " + std::to_string(Total) + " files written to " + OutputFolder(Parsed), false);
    }
    return Failed > 0 ? ExitFailed : ExitWritten;
}

int Execute(const Options& Parsed) {
    switch (Parsed.Action) {
        case Command::Help: std::fputs(HelpText().c_str(), stdout); return ExitWritten;
        case Command::Version: std::puts(ProgramVersion().c_str()); return ExitWritten;
        case Command::ListSamples: std::fputs(SampleListText().c_str(), stdout); return ExitWritten;
        case Command::PrintSettings:
        case Command::Render: break;
    }
    if (IsRevealCommand(Parsed)) return RunReveal(Parsed);
    if (AnimationAsked(Parsed)) {
        TConsole Console(Parsed.Quiet, Parsed.NoWarnings);
        return RunAnimation(Parsed, Console);
    }
    const std::vector<TJob> Jobs = PlanJobs(Parsed);
    TConsole Console(Parsed.Quiet, Parsed.NoWarnings);
    for (const std::string& Warning : UnusedAnimationOptions(Parsed)) Console.Warning({}, Warning);
    const std::optional<TSharedPictures> Shared = ReadSharedPictures(Parsed, Console);
    if (!Shared) return ExitFailed;
    // The cores are shared out among the files rendered at once.
    const TRenderer Renderer(Parsed, *Shared, Console, std::max(1, Cores() / FilesAtOnce(Parsed, Jobs.size())));
    if (Parsed.Action == Command::PrintSettings) {
        bool AllRead = true;
        for (const TJob& Job : Jobs) AllRead = Renderer.PrintSettings(Job, Parsed.Files.size() > 1) && AllRead;
        return AllRead ? ExitWritten : ExitFailed;
    }
    if (!MadeOutputFolder(OutputFolder(Parsed), Console)) return ExitFailed;
    return RenderJobs(Parsed, Renderer, Jobs, Console);
}

}  // namespace

int Run(std::span<const std::string> Args) {
    try {
        return Execute(ParseOptions(Args));
    } catch (const UsageError& E) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", ProgramName, E.what(), ProgramName);
        return ExitUsageError;
    } catch (const std::bad_alloc&) {
        std::fputs(ProblemLine({}, "out of memory").append("\n").c_str(), stderr);
        return ExitFailed;
    } catch (const std::exception& E) {
        // Anything else still ends with a message, never a crash.
        std::fputs(ProblemLine({}, E.what()).append("\n").c_str(), stderr);
        return ExitFailed;
    }
}

}  // namespace cli
