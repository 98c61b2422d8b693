// One render of a command line: the generator set up for one job, the run, the files
// written. Every problem is told through the console, naming the job's FILE in a batch;
// a render never raises, so that a batch goes on with its other files.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "Console.h"
#include "Jobs.h"
#include "Options.h"
#include "PictureInputs.h"
#include "Refusals.h"
#include "Stereogram.h"

namespace cli {

class TRenderer {
public:
    // Parsed and Shared must outlive the renderer. Render may be called from several
    // threads at once. ThreadsEach: the threads of each picture unless --threads sets them.
    TRenderer(const Options& Parsed, const TSharedPictures& Shared, TConsole& Console, int ThreadsEach)
        : FParsed(Parsed), FShared(Shared), FConsole(Console), FThreadsEach(ThreadsEach) {}

    // True when the picture (and the depth map of --depth-out) was written. Alone: the
    // command's only render, which draws the progress of its rows and a summary line.
    bool Render(const TJob& Job, bool Alone) const;
    // Prints the settings the job would render with; true unless its FILE was unreadable.
    bool PrintSettings(const TJob& Job, bool NameTheFile) const;

    struct TSetUpJob {
        std::unique_ptr<TStereogram> Generator;
        TPictureOrigins Origins;
    };
    // The generator with the job's settings and pictures; nothing when the job's FILE could
    // not be read (which is told).
    std::optional<TSetUpJob> SetUp(const TJob& Job) const;

private:
    bool Run(const TJob& Job, TSetUpJob& SetUpJob, bool Alone) const;
    // The job's picture, and the depth map as the run read it, into their files.
    bool Write(const TJob& Job, TStereogram& Generator, std::uint32_t Seed) const;
    // Runs WriteIt for the file Path; tells why it failed.
    bool Written(const TJob& Job, const std::string& Path, const std::function<void()>& WriteIt) const;
    // Refuses to write over one of the job's own input files.
    void CheckNotAnInput(const TJob& Job, const std::string& OutputPath) const;

    const Options& FParsed;
    const TSharedPictures& FShared;
    TConsole& FConsole;
    int FThreadsEach;
};

}  // namespace cli
