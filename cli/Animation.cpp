#include "Animation.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <memory>
#include <thread>

#include "AnimationInput.h"
#include "AnimationRecord.h"
#include "AnimationWriter.h"
#include "ApplySettings.h"
#include "Clock.h"
#include "DepthMapTools.h"
#include "DepthRasterizer.h"
#include "DepthVideo.h"
#include "FrameLoop.h"
#include "GreyPlane.h"
#include "HelpText.h"
#include "Messages.h"
#include "NumberText.h"
#include "ModelReader.h"
#include "OptionValues.h"
#include "PictureInputs.h"
#include "RecordedOptions.h"
#include "Run.h"

namespace cli {
namespace {

// A problem of one frame, told as the still render would tell it.
struct TFrameProblem : std::runtime_error {
    TFrameProblem(std::string ASubject, const std::string& Text) : std::runtime_error(Text), Subject(std::move(ASubject)) {}
    std::string Subject;
};

int Cores() { return int(std::max(1u, std::thread::hardware_concurrency())); }

// Frames rendered at once: the last --threads, else one per core.
int FramesAtOnce(const Options& Parsed) {
    int Threads = Cores();
    for (const SettingAction& Action : Parsed.Settings)
        if (Action.Target == Setting::Threads) Threads = std::get<int>(Action.Value);
    return Threads;
}

class TAnimationRun {
public:
    TAnimationRun(const Options& Parsed, const TSharedPictures& Shared, const TDepthInput& Input, TConsole& Console)
        : FParsed(Parsed), FShared(Shared), FInput(Input), FConsole(Console),
          FSeed(Parsed.Seed.value_or(MillisecondsSinceMidnight())),
          FFileAction{Setting::DepthMap, TPictureSource{TPictureSource::TKind::File, 0, Input.File}, "--depth", Input.File} {
        FOutput = Parsed.OutputPath;
        if (IsFolderPath(FOutput) && !FOutput.ends_with('/')) FOutput += '/';
        FShape = Input.Action >= 0 ? Shared.ShapeOfSetting[std::size_t(Input.Action)] : Shared.OfFiles;
    }

    int Execute() {
        if (!OpenInput()) return ExitFailed;
        if (FParsed.Spin.X != 0 || FParsed.Spin.Y != 0 || FParsed.Spin.Z != 0)
            if (FInput.Kind != TDepthKind::Model) FConsole.Warning({}, "--spin turns a 3D model only; this depth map does not turn");
        TAnimationSettings Settings;
        Settings.Fps = FParsed.Fps.value_or(DefaultFramesPerSecond);
        if (FInput.Kind != TDepthKind::Video)
            for (int Frame = 0; Frame < FCount; ++Frame) Settings.FrameTexts.push_back(FrameTexts(Frame));
        Settings.Record = Record(Settings);
        const std::unique_ptr<TAnimationWriter> Writer = OpenAnimationWriterAtFirstFrame(FOutput, Settings);
        const int Total = FCount > 0 ? FCount : int(std::min<std::int64_t>(FVideo->ExpectedFrames(), MaxAnimationFrames));
        int Written = 0;
        try {
            Written = RenderFrames([this] { return NextFrame(); }, FramesAtOnce(FParsed), *Writer, [&](int Done) {
                FConsole.FilesDone(Done, std::max(Total, Done), "frames");
                return true;
            });
            if (FVideo && FVideo->CutShort())
                FConsole.Warning(FInput.File, "the video breaks off; its " + std::to_string(Written) + " frames are used");
            if (Written == 0) throw TFrameProblem(FInput.File, "no frames to write");
            Writer->Finish();
        } catch (const EFrameSizeChanged& E) {
            FConsole.Problem(FInput.File, "frame " + std::to_string(E.Frame) + " is " + std::to_string(E.Width) + " x " +
                                              std::to_string(E.Height) + ", the first was " + std::to_string(E.FirstWidth) + " x " +
                                              std::to_string(E.FirstHeight) + "; every frame of an animation has one size");
            return ExitFailed;
        } catch (const TFrameProblem& Problem) {
            FConsole.Problem(Problem.Subject, Problem.what());
            return ExitFailed;
        } catch (const EInvalidGraphic& E) {
            FConsole.Problem(FInput.File, ReadFailureText(E));
            return ExitFailed;
        } catch (const std::exception& E) {
            FConsole.Problem(FOutput, WriteFailureText(E));
            return ExitFailed;
        }
        FConsole.Summary(FOutput + ": " + std::to_string(Written) + " frames of " + std::to_string(FFrameWidth) + " x " +
                             std::to_string(FFrameHeight) + " at " + NumberText(FParsed.Fps.value_or(DefaultFramesPerSecond)) + " fps, seed " + std::to_string(FSeed),
                         false);
        return ExitWritten;
    }

private:
    // Reads the model or opens the video, or reads a still FILE argument once; tells why not.
    bool OpenInput() {
        const std::string Subject = FInput.File;
        try {
            switch (FInput.Kind) {
                case TDepthKind::Model: FMesh = ReadModelFile(FInput.File); break;
                case TDepthKind::Video: FVideo = TDepthVideo::OpenFile(FInput.File); break;
                case TDepthKind::Still:
                    if (FInput.Action < 0 && !FInput.File.empty()) FStillFile = ReadFrameFile(FInput.File);
                    break;
                case TDepthKind::Sequence: break;
            }
        } catch (const TFrameProblem& Problem) {
            FConsole.Problem(Problem.Subject, Problem.what());
            return false;
        } catch (const std::exception& E) {
            FConsole.Problem(Subject, ReadFailureText(E));
            return false;
        }
        const int Asked = FParsed.Frames;
        switch (FInput.Kind) {
            case TDepthKind::Sequence: FCount = Asked > 0 ? std::min<int>(Asked, int(FParsed.Files.size())) : int(FParsed.Files.size()); break;
            case TDepthKind::Video: FCount = Asked; break;  // 0: every frame the video holds
            default: FCount = Asked; break;
        }
        return true;
    }

    TPicture ReadFrameFile(const std::string& File) const {
        try {
            TPictureRead Read = ReadSource({TPictureSource::TKind::File, 0, File}, TPictureRole::DepthMap, {}, FParsed.InvertDepth, FShared.OfFiles);
            for (const std::string& Warning : Read.Warnings) FConsole.Warning(File, Warning);
            return std::move(Read.Picture);
        } catch (const std::exception& E) {
            throw TFrameProblem(File, ReadFailureText(E));
        }
    }

    std::optional<TFrameTask> NextFrame() {
        const int Frame = FNext;
        if (FCount > 0 ? Frame >= FCount : Frame >= MaxAnimationFrames) return std::nullopt;
        std::shared_ptr<TPicture> Depth;
        if (FVideo) {
            std::optional<TBitmap> Levels = FVideo->NextFrame();
            if (!Levels) return std::nullopt;
            Depth = std::make_shared<TPicture>();
            Depth->SetGraphic(std::make_unique<TBitmap>(FParsed.InvertDepth ? InvertDepth(*Levels) : std::move(*Levels)));
        }
        ++FNext;
        return [this, Frame, Depth] { return RenderFrame(Frame, Depth.get()); };
    }

    // Frame's depth map; nothing where the shared pictures hold it.
    std::optional<TPicture> FrameDepth(int Frame, const TPicture* Decoded) const {
        TPicture Depth;
        switch (FInput.Kind) {
            case TDepthKind::Video: return *Decoded;
            case TDepthKind::Sequence: return ReadFrameFile(FParsed.Files[std::size_t(Frame)]);
            case TDepthKind::Model: {
                const TModelView View = FrameView(FShape.View, Spin(), Frame, FCount);
                TBitmap Levels = ToDepthBitmap(FRasterizers.Render(*FMesh, FShape.Width, FShape.Height, View));
                Depth.SetGraphic(std::make_unique<TBitmap>(FParsed.InvertDepth ? InvertDepth(Levels) : std::move(Levels)));
                return Depth;
            }
            case TDepthKind::Still: break;
        }
        if (FInput.Action < 0 && !FInput.File.empty()) return FStillFile;
        return std::nullopt;
    }

    TBitmap RenderFrame(int Frame, const TPicture* Decoded) const {
        const std::optional<TPicture> Depth = FrameDepth(Frame, Decoded);
        SettingAction FileAction = FFileAction;
        std::vector<TLoadedSetting> Settings;
        if (FInput.Action < 0 && Depth) {
            // A FILE stands for '--depth FILE' before every option.
            if (FInput.Kind == TDepthKind::Sequence) FileAction.Argument = FParsed.Files[std::size_t(Frame)];
            Settings.push_back({&FileAction, &*Depth});
        }
        for (std::size_t I = 0; I < FParsed.Settings.size(); ++I)
            Settings.push_back({&FParsed.Settings[I], int(I) == FInput.Action && Depth ? &*Depth : &FShared.OfSetting[I]});
        TStereogram Generator(nullptr);
        const TSetUp Done = SetUpGenerator(Generator, Settings, FParsed.FitDepth);
        if (Frame == 0)
            for (const std::string& Warning : Done.Warnings) FConsole.Warning({}, Warning);
        // The frames are what runs in parallel; each picture renders on its own thread.
        Generator.SetThreads(1);
        Generator.SetFixedSeed(FrameSeed(FSeed, Frame, FParsed.SameDots));
        try {
            Generator.Generate();
        } catch (const Exception& E) {
            const TProblem Refusal = RefusalProblem(E, Generator, Done.Origins);
            throw TFrameProblem(Refusal.Subject, Refusal.Text);
        }
        if (Frame == 0) FFrameWidth = Generator.Width(), FFrameHeight = Generator.Height();
        return Generator.GetPicture().Bitmap();
    }

    TSpin Spin() const { return {FParsed.Spin.X, FParsed.Spin.Y, FParsed.Spin.Z}; }

    struct TStill {
        Options Parsed;
        std::string DepthFile;
    };

    // The options that render Frame as a still picture: its seed and, for a model, its turn.
    TPngTextChunks FrameTexts(int Frame) const {
        const TStill Still = StillOf(Frame);
        return {{"Software", ProgramVersion()}, {"Options", RecordedOptions(Still.Parsed, FrameSeed(FSeed, Frame, FParsed.SameDots), Still.DepthFile)}};
    }

    // How the animation was made: the first frame's texts, and the options that make all
    // frames again (a sequence names its files as the command line did).
    TPngTextChunks Record(const TAnimationSettings& Settings) const {
        if (FInput.Kind == TDepthKind::Video)
            return AnimationRecord({{"Software", ProgramVersion()}}, RecordedAnimation(FParsed, FSeed, FInput.Action < 0 ? FInput.File : ""));
        if (FInput.Kind == TDepthKind::Sequence) return AnimationRecord(Settings.FrameTexts.front(), RecordedAnimation(FParsed, FSeed));
        const TStill First = StillOf(0);
        return AnimationRecord(Settings.FrameTexts.front(), RecordedAnimation(First.Parsed, FSeed, First.DepthFile));
    }

    // Frame's options as a still picture, and the FILE that stands for its depth map.
    TStill StillOf(int Frame) const {
        Options Still = FParsed;
        std::string DepthFile = FInput.Action < 0 ? FInput.File : std::string();
        if (FInput.Kind == TDepthKind::Sequence) DepthFile = FParsed.Files[std::size_t(Frame)];
        if (FInput.Kind == TDepthKind::Model) {
            const TModelView View = FrameView(FShape.View, Spin(), Frame, FCount);
            const TRotation Turn{View.RotateX, View.RotateY, View.RotateZ};
            const SettingAction Rotation{Setting::Rotation, Turn, "--rotate", RotationText(View)};
            // The turn must come before the depth map it shapes: a FILE is drawn first, at the start size.
            std::erase_if(Still.Settings, [&](const SettingAction& A) { return A.Target == Setting::Rotation && FInput.Action < 0; });
            if (FInput.Action < 0) {
                Still.Settings.insert(Still.Settings.begin(), {Rotation, FFileAction});
                DepthFile.clear();
            } else {
                auto At = Still.Settings.begin() + FInput.Action;
                auto Last = std::find_if(std::make_reverse_iterator(At), Still.Settings.rend(),
                                         [](const SettingAction& A) { return A.Target == Setting::Rotation; });
                if (Last != Still.Settings.rend()) *Last = Rotation;
                else Still.Settings.insert(At, Rotation);
            }
        }
        return {std::move(Still), DepthFile};
    }

    const Options& FParsed;
    const TSharedPictures& FShared;
    const TDepthInput FInput;
    TConsole& FConsole;
    const std::uint32_t FSeed;
    const SettingAction FFileAction;
    std::string FOutput;
    TDepthShape FShape;
    std::optional<TMesh> FMesh;
    mutable TMeshRasterizerPool FRasterizers;  // the frames are drawn on several threads at once
    std::unique_ptr<TDepthVideo> FVideo;
    TPicture FStillFile;
    int FCount = 0;
    int FNext = 0;
    // The first frame's size, for the summary (set by its renderer before the writer sees it).
    mutable std::atomic<int> FFrameWidth = 0, FFrameHeight = 0;
};

}  // namespace

int RunAnimation(const Options& Parsed, TConsole& Console) {
    const TDepthInput Input = DepthInput(Parsed);
    // A model or video is read frame by frame below, not as a picture.
    Options Shared = Parsed;
    if (Input.Action >= 0 && (Input.Kind == TDepthKind::Model || Input.Kind == TDepthKind::Video))
        Shared.Settings[std::size_t(Input.Action)].Value = TPictureSource{};
    const std::optional<TSharedPictures> Pictures =
        ReadSharedPictures(Shared, Console, Input.Kind == TDepthKind::Model && Input.Action >= 0 ? std::optional<std::size_t>(Input.Action) : std::nullopt);
    if (!Pictures) return ExitFailed;
    return TAnimationRun(Parsed, *Pictures, Input, Console).Execute();
}

}  // namespace cli
