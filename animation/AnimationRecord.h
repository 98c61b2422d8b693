// What an animation file records about how it was made, as a PNG records it in its text:
// "Software", the first frame's "Options" (which render that frame as a still picture) and
// the "Animation" options, which make the whole animation again.
#pragma once

#include <string>

#include "FrameLoop.h"
#include "PngFormat.h"

// "--frames N --spin X,Y,Z --fps F --same-dots " for the recorded options of an animation:
// --frames only for a count that was asked for (above 0), --spin only when it turns,
// --same-dots only when set; each number the shortest text that reads back the same.
std::string AnimationOptionsText(int Frames, const TSpin& Spin, double Fps, bool SameDots);

// FirstFrame's texts followed by the "Animation" text.
TPngTextChunks AnimationRecord(TPngTextChunks FirstFrame, const std::string& Animation);
