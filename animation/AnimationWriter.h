// Moving pictures out: frames of one size, in order, streamed to a file whose extension
// names the format (.gif, .webp, .mp4, .webm), or to a folder of numbered PNG frames.
// Each format's library stays behind one file of its own.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Exception.h"
#include "PngFormat.h"

struct TAnimationSettings {
    int Width = 0, Height = 0;  // every frame has this size
    double Fps = 25;            // frames a second
    // Text chunks of each PNG frame of a folder, by frame number from 0 (an empty list, or one
    // shorter than the frames, gives frames without them).
    std::vector<TPngTextChunks> FrameTexts;
    // What the file records about how it was made (AnimationRecord.h): a GIF as comments, a
    // WebP as XMP, a video as the container's metadata, a PNG folder in its first frame.
    TPngTextChunks Record;
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

// A later frame of another size than the first (frames are numbered from 1).
class EFrameSizeChanged : public Exception {
public:
    EFrameSizeChanged(int AFrame, int AWidth, int AHeight, int AFirstWidth, int AFirstHeight)
        : Exception("Bild " + std::to_string(AFrame) + " der Animation hat eine andere Größe als das erste"), Frame(AFrame),
          Width(AWidth), Height(AHeight), FirstWidth(AFirstWidth), FirstHeight(AFirstHeight) {}
    int Frame, Width, Height, FirstWidth, FirstHeight;
};

// A writer for Path that is opened at the first frame, whose size becomes the settings'
// size; a later frame of another size raises EFrameSizeChanged.
std::unique_ptr<TAnimationWriter> OpenAnimationWriterAtFirstFrame(const std::string& Path, const TAnimationSettings& Settings);
