#include "Run.h"

#include <cstdio>
#include <exception>
#include <unistd.h>

#include "ApplySettings.h"
#include "Clock.h"
#include "Exception.h"
#include "HelpText.h"
#include "Options.h"
#include "PictureFiles.h"
#include "ProgressBar.h"
#include "RecordedOptions.h"
#include "SettingsReport.h"
#include "StartSettings.h"
#include "Stereogram.h"

namespace cli {
namespace {

constexpr const char* ProgramName = "stereogramm-cli";

void Render(TStereogram& Stereogram, const Options& Parsed) {
    // The seed a run would take from the clock is chosen here, so that it can be recorded.
    const std::uint32_t Seed = Parsed.Seed.value_or(MillisecondsSinceMidnight());
    Stereogram.SetFixedSeed(Seed);
    ProgressBar Bar(stderr);
    if (!Parsed.Quiet && isatty(fileno(stderr)))
        Stereogram.SetOnGenerate([&Bar, &Stereogram](TObject*) { Bar.Show(Stereogram.Progress); });
    Stereogram.Generate();
    const TBitmap& Result = Stereogram.GetPicture().Bitmap();
    SaveBitmapToFile(Result, Parsed.OutputPath,
                     {{"Software", ProgramVersion()}, {"Options", RecordedOptions(Parsed, Seed)}});
    if (!Parsed.Quiet)
        std::printf("%s: %d x %d, seed %u\n", Parsed.OutputPath.c_str(), Result.Width(), Result.Height(), unsigned(Seed));
}

int Execute(const Options& Parsed) {
    switch (Parsed.Action) {
        case Command::Help: std::fputs(HelpText().c_str(), stdout); return ExitWritten;
        case Command::Version: std::puts(ProgramVersion().c_str()); return ExitWritten;
        case Command::ListSamples: std::fputs(SampleListText().c_str(), stdout); return ExitWritten;
        case Command::PrintSettings:
        case Command::Render: break;
    }
    TStereogram Stereogram(nullptr);
    ApplyStartSettings(Stereogram);
    for (const SettingAction& Action : Parsed.Settings) ApplySetting(Stereogram, Action);
    if (Parsed.Action == Command::PrintSettings) std::fputs(SettingsReport(Stereogram).c_str(), stdout);
    else Render(Stereogram, Parsed);
    return ExitWritten;
}

}  // namespace

int Run(std::span<const std::string> Args) {
    try {
        return Execute(ParseOptions(Args));
    } catch (const UsageError& E) {
        std::fprintf(stderr, "%s: %s\nTry '%s --help' for more information.\n", ProgramName, E.what(), ProgramName);
        return ExitUsageError;
    } catch (const Exception& E) {
        std::fprintf(stderr, "%s: %s\n", ProgramName, E.Message().c_str());
        return ExitFailed;
    } catch (const std::exception& E) {
        // Anything else (out of memory, for one) still ends with a message, never a crash.
        std::fprintf(stderr, "%s: %s\n", ProgramName, E.what());
        return ExitFailed;
    }
}

}  // namespace cli
