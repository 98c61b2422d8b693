#include "Renderer.h"

#include <filesystem>
#include <functional>
#include <new>

#include "ApplySettings.h"
#include "Clock.h"
#include "DepthMapTools.h"
#include "HelpText.h"
#include "Messages.h"
#include "PictureFiles.h"
#include "ProgressBar.h"
#include "RecordedOptions.h"
#include "SettingsReport.h"
#include "StandardStreams.h"

namespace cli {
namespace {

std::string OutputName(const std::string& Path) { return Path == StandardStream ? "standard output" : Path; }

// A problem of a batch's file names that file first, and another file it concerns after it.
std::string Subject(const std::string& DepthFile, const std::string& Concerned) {
    if (Concerned.empty() || Concerned == DepthFile) return DepthFile;
    return DepthFile.empty() ? Concerned : DepthFile + ": " + Concerned;
}

}  // namespace

bool TRenderer::Render(const TJob& Job, bool Alone) const {
    try {
        std::optional<TSetUpJob> SetUpJob = SetUp(Job);
        return SetUpJob && Run(Job, *SetUpJob, Alone);
    } catch (const std::bad_alloc&) {
        FConsole.Problem(Job.DepthFile, "out of memory");
    } catch (const std::exception& E) {
        FConsole.Problem(Job.DepthFile, E.what());
    }
    return false;
}

bool TRenderer::PrintSettings(const TJob& Job, bool NameTheFile) const {
    std::optional<TSetUpJob> SetUpJob = SetUp(Job);
    if (!SetUpJob) return false;
    const std::string Report = (NameTheFile ? "file=" + Job.DepthFile + "\n" : "") + SettingsReport(*SetUpJob->Generator);
    std::fputs(Report.c_str(), stdout);
    return true;
}

std::optional<TRenderer::TSetUpJob> TRenderer::SetUp(const TJob& Job) const {
    std::vector<TLoadedSetting> Settings;
    const SettingAction FileAction{Setting::DepthMap, TPictureSource{TPictureSource::TKind::File, 0, Job.DepthFile}, "--depth", Job.DepthFile};
    TPicture FilePicture;
    if (!Job.DepthFile.empty()) {
        try {
            TPictureRead Read = ReadSource(std::get<TPictureSource>(FileAction.Value), TPictureRole::DepthMap, {}, FParsed.InvertDepth,
                                            FShared.OfFiles);
            for (const std::string& Warning : Read.Warnings) FConsole.Warning(Job.DepthFile, Warning);
            FilePicture = Read.Picture;
        } catch (const std::exception& E) {
            FConsole.Problem(Job.DepthFile, ReadFailureText(E));
            return std::nullopt;
        }
        // A FILE stands for '--depth FILE' before every option.
        Settings.push_back({&FileAction, &FilePicture});
    }
    for (std::size_t I = 0; I < FParsed.Settings.size(); ++I) Settings.push_back({&FParsed.Settings[I], &FShared.OfSetting[I]});
    TSetUpJob Result{std::make_unique<TStereogram>(nullptr), {}};
    Result.Generator->SetThreads(FThreadsEach);
    TSetUp Done = SetUpGenerator(*Result.Generator, Settings, FParsed.FitDepth);
    for (const std::string& Warning : Done.Warnings) FConsole.Warning({}, Warning);
    Result.Origins = Done.Origins;
    return Result;
}

bool TRenderer::Run(const TJob& Job, TSetUpJob& SetUpJob, bool Alone) const {
    TStereogram& Generator = *SetUpJob.Generator;
    // The seed a run would take from the clock is chosen here, so that it can be recorded.
    const std::uint32_t Seed = FParsed.Seed.value_or(MillisecondsSinceMidnight());
    Generator.SetFixedSeed(Seed);
    ProgressBar Bar(stderr);
    if (Alone && FConsole.ShowsProgress() && Job.OutputPath != StandardStream)
        Generator.SetOnGenerate([&Bar, &Generator](TObject*) { Bar.Show(Generator.Progress); });
    try {
        Generator.Generate();
    } catch (const Exception& E) {
        const TProblem Refusal = RefusalProblem(E, Generator, SetUpJob.Origins);
        FConsole.Problem(Subject(Job.DepthFile, Refusal.Subject), Refusal.Text);
        return false;
    }
    if (!Write(Job, Generator, Seed)) return false;
    const TBitmap& Result = Generator.GetPicture().Bitmap();
    if (Alone)
        FConsole.Summary(OutputName(Job.OutputPath) + ": " + std::to_string(Result.Width()) + " x " + std::to_string(Result.Height()) +
                             ", seed " + std::to_string(Seed),
                         Job.OutputPath == StandardStream);
    return true;
}

bool TRenderer::Write(const TJob& Job, TStereogram& Generator, std::uint32_t Seed) const {
    const TBitmap& Result = Generator.GetPicture().Bitmap();
    const TPngTextChunks Text{{"Software", ProgramVersion()}, {"Options", RecordedOptions(FParsed, Seed, Job.DepthFile)}};
    const bool PictureWritten = Written(Job, Job.OutputPath, [&] {
        if (Job.OutputPath == StandardStream) WriteStandardOutput(EncodeBitmap(Result, Job.Format, Text));
        else SaveBitmapToFile(Result, Job.OutputPath, Text);
    });
    if (!PictureWritten || Job.DepthOutPath.empty()) return PictureWritten;
    return Written(Job, Job.DepthOutPath, [&] {
        const TBitmap Levels = DepthLevelsInOutput(Generator.DepthMap().Bitmap(), Generator.Width(), Generator.Height());
        SaveBitmapToFile(Levels, Job.DepthOutPath, {{"Software", ProgramVersion()}});
    });
}

bool TRenderer::Written(const TJob& Job, const std::string& Path, const std::function<void()>& WriteIt) const {
    try {
        CheckNotAnInput(Job, Path);
        WriteIt();
        return true;
    } catch (const std::exception& E) {
        FConsole.Problem(OutputName(Path), WriteFailureText(E));
        return false;
    }
}

void TRenderer::CheckNotAnInput(const TJob& Job, const std::string& Path) const {
    std::vector<std::string> Inputs{Job.DepthFile};
    for (const SettingAction& Action : FParsed.Settings)
        if (const auto* Source = std::get_if<TPictureSource>(&Action.Value); Source && Source->From == TPictureSource::TKind::File)
            Inputs.push_back(Source->FileName);
    for (const std::string& Input : Inputs) {
        std::error_code Error;
        if (Path != StandardStream && !Input.empty() && std::filesystem::equivalent(Path, Input, Error))
            throw std::runtime_error("is one of this run's input pictures and would be lost; choose another output");
    }
}

}  // namespace cli
