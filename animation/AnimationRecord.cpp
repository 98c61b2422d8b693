#include "AnimationRecord.h"

#include <charconv>

std::string AnimationOptionsText(int Frames, const TSpin& Spin, double Fps, bool SameDots) {
    std::string Text;
    if (Frames > 0) Text += "--frames " + std::to_string(Frames) + " ";
    if (Spin.Turns()) Text += "--spin " + RotationText({.RotateX = Spin.X, .RotateY = Spin.Y, .RotateZ = Spin.Z}) + " ";
    char Number[32];
    Text.append("--fps ").append(Number, std::to_chars(Number, Number + sizeof Number, Fps).ptr).append(" ");
    if (SameDots) Text += "--same-dots ";
    return Text;
}

TPngTextChunks AnimationRecord(TPngTextChunks FirstFrame, const std::string& Animation) {
    FirstFrame.emplace_back("Animation", Animation);
    return FirstFrame;
}
