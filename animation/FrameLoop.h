// The frame loop of an animation: frames rendered on several threads at once, handed to
// the writer in order, with only a few frames held at any time, so that a long animation
// streams instead of piling up in memory.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "AnimationWriter.h"
#include "Bitmap.h"
#include "DepthRasterizer.h"

constexpr int MinAnimationFrames = 2;
constexpr int MaxAnimationFrames = 10'000;
constexpr double MaxFramesPerSecond = 1000;

// Degrees about the x, y and z axes that a model turns by over the whole animation.
struct TSpin {
    double X = 0, Y = 0, Z = 0;
    bool Turns() const { return X != 0 || Y != 0 || Z != 0; }
};

// Frame's view of Count frames: Start's rotation + Frame × Spin / Count, so that a full turn
// of 360 degrees loops without a jump.
TModelView FrameView(const TModelView& Start, const TSpin& Spin, int Frame, int Count);
// Frame's seed: Seed + Frame modulo 2^32, or Seed itself for every frame with SameDots.
std::uint32_t FrameSeed(std::uint32_t Seed, int Frame, bool SameDots);

// Renders one frame; may run on any thread, several at once.
using TFrameTask = std::function<TBitmap()>;
// The task of the next frame, or nothing after the last; called on one thread at a time, in
// frame order, so that it may read a sequential source such as a video.
using TNextFrame = std::function<std::optional<TFrameTask>()>;
// Called on the calling thread after each frame written, with the frames written so far;
// false stops the loop (cancel).
using TFramesWritten = std::function<bool(int Written)>;

// Runs the tasks on Threads threads and adds their frames to Writer in order. Returns the
// frames written; every thread is joined on every way out, and the first exception of a
// task or of the writer is raised here. Finish is left to the caller.
int RenderFrames(const TNextFrame& Next, int Threads, TAnimationWriter& Writer, const TFramesWritten& Written);
