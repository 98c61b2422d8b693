// A depth video read frame by frame with FFmpeg (any container and codec its libraries
// read), each frame an 8-bit grey depth map as a 24-bit bitmap of the first frame's size.
#pragma once

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "Bitmap.h"

// How long opening a video, or reading its next frame, may take: a crafted file can keep
// FFmpeg busy without end, and is given up as damaged (or cut short) when its time is up.
constexpr std::chrono::milliseconds DepthVideoStepTime{10'000};

class TDepthVideo {
public:
    // Open raise EInvalidGraphic with its reason (NotAPicture for content of no video, Damaged,
    // TooLarge past the picture limits) and EFileError for a file that cannot be opened.
    static std::unique_ptr<TDepthVideo> OpenFile(const std::string& FileName, std::chrono::milliseconds StepTime = DepthVideoStepTime);
    // Bytes must outlive the video.
    static std::unique_ptr<TDepthVideo> OpenBytes(std::span<const std::uint8_t> Bytes,
                                                  std::chrono::milliseconds StepTime = DepthVideoStepTime);
    virtual ~TDepthVideo() = default;

    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual double Fps() const = 0;  // 0 where the file does not say
    // The frames the container says it holds (or its length at its frame rate); 0 when unknown.
    virtual std::int64_t ExpectedFrames() const = 0;
    // The next frame; nothing after the last. A video that breaks off after some frames ends
    // there and is CutShort; one that gives no frame at all raises EInvalidGraphic.
    virtual std::optional<TBitmap> NextFrame() = 0;
    virtual bool CutShort() const = 0;
};

// Whether the start of a file (a few kilobytes) looks like a video to FFmpeg rather than a
// still picture or nothing known.
bool LooksLikeVideo(std::span<const std::uint8_t> Start);
