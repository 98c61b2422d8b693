// The window's animation of a turning model, without Qt: the generator's settings and
// texture taken at the start, the model read once and drawn for every frame, the frames
// rendered in parallel and written in order, as the command line writes them for the
// options the window records.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "DepthRasterizer.h"
#include "FrameLoop.h"
#include "Mesh.h"
#include "Stereogram.h"
#include "WindowRecord.h"

struct TWindowAnimationRequest {
    std::string Path;  // a file whose extension names the format, or a folder ending in '/'
    int Frames = 120;
    double Fps = 25;
    TSpin Spin{0, 360, 0};
    TDepthReading Reading{};  // each frame's depth map inverted and fitted as the window's is
};

class TWindowAnimation {
public:
    // Copies what it needs from Generator now and reads the model of DepthSource (a model
    // file); raises as ReadModelFile does.
    TWindowAnimation(const TStereogram& Generator, const TWindowDepthSource& DepthSource, const TPictureSource& MaskSource,
                     std::uint32_t Seed, TWindowAnimationRequest Request);

    // Renders and writes every frame; Written is told after each frame (false cancels, and
    // no file is left). Returns whether the file was finished. Raises for a refused run
    // or a file that cannot be written.
    bool Run(const TFramesWritten& Written) const;

private:
    TBitmap RenderFrame(int Frame) const;

    // The generator's settings and texture at the start.
    struct TSettings {
        TStereoGramType StereoType;
        TRandomDotColorType DotColor;
        TBlurType Blur;
        int DotIntensity, Oversampling, Width, Height, DPI;
        double ObservDistance, Max3Ddepth, Min3Ddepth;
        bool GuideDots, CrossEyed;
        TPicture Mask;
    };
    TSettings FSettings;
    std::string FRecord;  // the options the window records for the start, without the seed
    int FDepthWidth, FDepthHeight;
    std::uint32_t FSeed;
    TWindowAnimationRequest FRequest;
    TMesh FMesh;
    mutable TMeshRasterizerPool FRasterizers;  // the frames are drawn on several threads at once
};
