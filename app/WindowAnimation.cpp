#include "WindowAnimation.h"

#include "AnimationRecord.h"
#include "AnimationWriter.h"
#include "GreyPlane.h"
#include "ModelReader.h"
#include "StartSettings.h"

#include <thread>

namespace {

int Cores() { return int(std::max(1u, std::thread::hardware_concurrency())); }

}  // namespace

TWindowAnimation::TWindowAnimation(const TStereogram& Generator, const TWindowDepthSource& DepthSource, const TPictureSource& MaskSource,
                                   std::uint32_t Seed, TWindowAnimationRequest Request)
    : FSettings{Generator.StereoType(),   Generator.RandomDotColor(), Generator.Blur(),       Generator.DotIntensity(),
                Generator.Oversampling(), Generator.Width(),          Generator.Height(),     Generator.DPI(),
                Generator.ObservDistance(), Generator.Max3Ddepth(),   Generator.Min3Ddepth(), Generator.GuideDots(),
                Generator.CrossEyed(),    Generator.MaskMap()},
      FDepthWidth(Generator.DepthMap().Width()), FDepthHeight(Generator.DepthMap().Height()), FSeed(Seed), FRequest(std::move(Request)),
      FMesh(ReadModelFile(DepthSource.Picture.FileName)) {
    // Everything but the seed, which each frame records for itself.
    FRecord = WindowRecordOptions(Generator, DepthSource, MaskSource, 0, FRequest.Reading);
    FRecord.erase(FRecord.rfind("--seed"));
}

// The generator set up as the command line sets it up for the window's recorded options,
// with the model drawn at its turn for Frame.
TBitmap TWindowAnimation::RenderFrame(int Frame) const {
    TPicture Depth;
    const TModelView View = FrameView({}, FRequest.Spin, Frame, FRequest.Frames);
    Depth.SetGraphic(std::make_unique<TBitmap>(ToDepthBitmap(FRasterizers.Render(FMesh, FDepthWidth, FDepthHeight, View))));
    TStereogram Generator(nullptr);
    ApplyStartSettings(Generator);
    Generator.SetWidth(FDepthWidth);
    Generator.SetHeight(FDepthHeight);
    Generator.SetDepthMap(ReadDepth(Depth, FRequest.Reading.Invert));
    Generator.SetMaskMap(FSettings.Mask);
    Generator.SetStereoType(FSettings.StereoType);
    Generator.SetRandomDotColor(FSettings.DotColor);
    Generator.SetBlur(FSettings.Blur);
    Generator.SetDotIntensity(FSettings.DotIntensity);
    Generator.SetOversampling(FSettings.Oversampling);
    Generator.SetObservDistance(FSettings.ObservDistance);
    Generator.SetMax3Ddepth(FSettings.Max3Ddepth);
    Generator.SetMin3Ddepth(FSettings.Min3Ddepth);
    Generator.SetWidth(FSettings.Width);
    Generator.SetHeight(FSettings.Height);
    Generator.SetDPI(FSettings.DPI);
    Generator.SetGuideDots(FSettings.GuideDots);
    Generator.SetCrossEyed(FSettings.CrossEyed);
    if (FRequest.Reading.Fit)
        if (const std::optional<TPicture> Fitted = FittedDepth(Generator)) Generator.SetDepthMap(*Fitted);
    Generator.SetThreads(1);
    Generator.SetFixedSeed(FrameSeed(FSeed, Frame, false));
    Generator.Generate();
    return Generator.GetPicture().Bitmap();
}

bool TWindowAnimation::Run(const TFramesWritten& Written) const {
    TAnimationSettings Settings;
    Settings.Fps = FRequest.Fps;
    for (int Frame = 0; Frame < FRequest.Frames; ++Frame) {
        const std::string Turn = RotationText(FrameView({}, FRequest.Spin, Frame, FRequest.Frames));
        Settings.FrameTexts.push_back({{"Software", "stereogramm " STEREOGRAMM_VERSION},
                                       {"Options", "--rotate " + Turn + " " + FRecord + "--seed " + std::to_string(FrameSeed(FSeed, Frame, false))}});
    }
    Settings.Record = AnimationRecord(Settings.FrameTexts.front(), "--rotate " + RotationText({}) + " " + FRecord +
                                                                       AnimationOptionsText(FRequest.Frames, FRequest.Spin, FRequest.Fps, false) +
                                                                       "--seed " + std::to_string(FSeed));
    const std::unique_ptr<TAnimationWriter> Writer = OpenAnimationWriterAtFirstFrame(FRequest.Path, Settings);
    int Next = 0;
    const TNextFrame NextFrame = [&]() -> std::optional<TFrameTask> {
        if (Next == FRequest.Frames) return std::nullopt;
        const int Frame = Next++;
        return [this, Frame] { return RenderFrame(Frame); };
    };
    if (RenderFrames(NextFrame, Cores(), *Writer, Written) < FRequest.Frames) return false;
    Writer->Finish();
    return true;
}
