#include "RevealRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <thread>

#include "AnimationWriter.h"
#include "Console.h"
#include "DepthMapTools.h"
#include "HelpText.h"
#include "Jobs.h"
#include "Messages.h"
#include "OptionValues.h"
#include "PictureFiles.h"
#include "Renderer.h"
#include "RevealedDepthFile.h"
#include "GeneratorViews.h"
#include "Run.h"
#include "StandardStreams.h"

namespace cli {
namespace {

// Two frames a wiggle shows in turn, a few times a second.
constexpr double kWiggleFps = 6;

int Cores() { return int(std::max(1u, std::thread::hardware_concurrency())); }

// The stereogram of --reveal, revealed; nothing when it cannot be (which is told).
std::optional<TRevealedDepthFile> RevealFile(const Options& Parsed, const TStereogram& Generator, TConsole& Console) {
    const std::string& Path = Parsed.RevealPath;
    try {
        TRevealedDepthFile Revealed = RevealDepthFile(Path, Generator.CrossEyed());
        for (const std::string& Warning : Revealed.Warnings) Console.Warning(Path, Warning);
        if (Revealed.Result.Confidence < DoubtfulRevealConfidence)
            Console.Warning(Path, "only " + std::to_string(std::lround(Revealed.Result.Confidence * 100)) +
                                      " % of the pixels match their partners: the revealed depth is doubtful");
        return Revealed;
    } catch (const std::exception& E) {
        Console.Problem(Path, ReadFailureText(E));
    }
    return std::nullopt;
}

std::string RevealReport(const TRevealedDepthFile& Revealed) {
    const TBitmap& Depth = Revealed.Result.Depth;
    int Low = 255, High = 0;
    for (int Y = 0; Y < Depth.Height(); ++Y)
        for (int X = 0; X < Depth.Width(); ++X) {
            const int Level = Depth.ScanLine(Y)[3 * X];
            Low = std::min(Low, Level), High = std::max(High, Level);
        }
    const auto Pixels = [](double V) {
        char Text[32];
        std::snprintf(Text, sizeof Text, "%.1f", V);
        return std::string(Text);
    };
    return "far-repeat=" + Pixels(Revealed.Result.FarRepeat) + "\nnear-repeat=" + Pixels(Revealed.Result.NearRepeat) +
           "\ndepth=" + (Revealed.Recorded ? "recorded" : "relative") + "\ndepth-levels=" + std::to_string(Low) + "-" +
           std::to_string(High) + "\nconfidence=" + Pixels(Revealed.Result.Confidence * 100) + "\n";
}

bool WritePicture(const TBitmap& Picture, const TJob& Job, TConsole& Console) {
    try {
        const TPngTextChunks Text{{"Software", ProgramVersion()}};
        if (Job.OutputPath == StandardStream) WriteStandardOutput(EncodeBitmap(Picture, Job.Format, Text));
        else SaveBitmapToFile(Picture, Job.OutputPath, Text);
        return true;
    } catch (const std::exception& E) {
        Console.Problem(Job.OutputPath == StandardStream ? "standard output" : Job.OutputPath, WriteFailureText(E));
        return false;
    }
}

bool WriteWiggle(const TBitmap& Depth, const TStereogram& Generator, const std::string& Path, TConsole& Console) {
    const auto [Left, Right] = EyeViews(Depth, Generator, false);
    try {
        const std::unique_ptr<TAnimationWriter> Writer = OpenAnimationWriter(Path, {Left.Width(), Left.Height(), kWiggleFps, {}, {}});
        Writer->AddFrame(Left);
        Writer->AddFrame(Right);
        Writer->Finish();
        return true;
    } catch (const std::exception& E) {
        Console.Problem(Path, WriteFailureText(E));
        return false;
    }
}

// The one picture (or animation) the command writes.
TJob PlanOutput(const Options& Parsed) {
    if (!Parsed.RevealPath.empty() && !Parsed.Files.empty())
        throw UsageError("--reveal reads one stereogram; FILE arguments are depth maps to render");
    if (Parsed.View != TStereoView::Wiggle) {
        const std::vector<TJob> Jobs = PlanJobs(Parsed);
        if (Jobs.size() != 1) throw UsageError("--view makes one picture; give one depth map");
        return Jobs.front();
    }
    if (!IsAnimationPath(Parsed.OutputPath) || IsFolderPath(Parsed.OutputPath))
        throw UsageError("--view wiggle writes an animation: name a .gif or .webp file (here '" + Parsed.OutputPath + "')");
    if (Parsed.Files.size() > 1) throw UsageError("--view makes one picture; give one depth map");
    return {Parsed.Files.empty() ? std::string() : Parsed.Files.front(), Parsed.OutputPath, TFileFormat::Png, {}};
}

}  // namespace

bool IsRevealCommand(const Options& Parsed) {
    return !Parsed.RevealPath.empty() || (Parsed.View && Parsed.Action == Command::Render);
}

int RunReveal(const Options& Parsed) {
    const TJob Job = PlanOutput(Parsed);
    TConsole Console(Parsed.Quiet, Parsed.NoWarnings);
    if (!Parsed.RevealPath.empty() && std::ranges::any_of(Parsed.Settings, [](const SettingAction& A) { return A.Target == Setting::DepthMap; }))
        Console.Warning({}, "--depth changes nothing here: the revealed depth map takes its place");
    if (!Parsed.DepthOutPath.empty()) Console.Warning({}, "--depth-out changes nothing with --reveal or --view");
    const std::optional<TSharedPictures> Shared = ReadSharedPictures(Parsed, Console);
    if (!Shared) return ExitFailed;
    const TRenderer Renderer(Parsed, *Shared, Console, Cores());
    std::optional<TRenderer::TSetUpJob> SetUp = Renderer.SetUp(Job);
    if (!SetUp) return ExitFailed;
    TStereogram& Generator = *SetUp->Generator;

    TBitmap Depth;
    if (Parsed.RevealPath.empty()) {
        Depth = DepthLevelsInOutput(Generator.DepthMap().Bitmap(), Generator.Width(), Generator.Height());
    } else {
        const std::optional<TRevealedDepthFile> Revealed = RevealFile(Parsed, Generator, Console);
        if (!Revealed) return ExitFailed;
        if (Parsed.Action == Command::PrintSettings) {
            std::fputs(RevealReport(*Revealed).c_str(), stdout);
            return ExitWritten;
        }
        Depth = Revealed->Result.Depth;
    }
    if (Parsed.View == TStereoView::Wiggle) return WriteWiggle(Depth, Generator, Job.OutputPath, Console) ? ExitWritten : ExitFailed;
    const TBitmap Written = Parsed.View ? ViewOfDepth(*Parsed.View, Depth, Generator) : Depth;
    return WritePicture(Written, Job, Console) ? ExitWritten : ExitFailed;
}

}  // namespace cli
