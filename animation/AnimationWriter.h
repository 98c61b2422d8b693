// Moving pictures out: frames of one size, in order, streamed to a file whose extension
// names the format (.gif, .webp, .mp4, .webm), or to a folder of numbered PNG frames.
// Each format's library stays behind one file of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "PngFormat.h"

struct TAnimationSettings {
    int Width = 0, Height = 0;  // every frame has this size
    double Fps = 25;            // frames a second
    // Text chunks of each PNG frame of a folder, by frame number from 0 (an empty list, or one
    // shorter than the frames, gives frames without them).
    std::vector<TPngTextChunks> FrameTexts;
};

class TAnimationWriter {
public:
    virtual ~TAnimationWriter() = default;
    // Adds the next frame (24 bits, the settings' size). Raises Exception (EFileError for a
    // file that cannot be written) on failure.
    virtual void AddFrame(const TBitmap& Frame) = 0;
    // Ends the file: only now does it appear under its name, complete. A writer destroyed
    // without Finish leaves no file behind.
    virtual void Finish() = 0;
};

// Whether Path names an animation: an extension of one of the formats above, or a folder
// (ending in '/').
bool IsAnimationPath(const std::string& Path);
// A writer for Path. Raises Exception for a path of no animation format.
std::unique_ptr<TAnimationWriter> OpenAnimationWriter(const std::string& Path, const TAnimationSettings& Settings);
