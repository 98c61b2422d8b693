#include "GreyPlane.h"

#include <algorithm>
#include <cmath>

#include "Exception.h"

namespace {

constexpr double MarginShare = 0.05;

}  // namespace

void CheckDepthMapSize(int Width, int Height) {
    if (Width < 1 || Height < 1)
        throw ERefusal("Tiefenbild braucht mindestens 1 × 1 Pixel", TRefusal::DepthMapTooSmall, {.Width = Width, .Height = Height});
    CheckPictureSize(Width, Height, 24);
}

TGreyPlane::TGreyPlane(int AWidth, int AHeight) : Width(AWidth), Height(AHeight) {
    CheckDepthMapSize(Width, Height);
    Levels.assign(std::size_t(Width) * std::size_t(Height), 0);
}

int DepthMargin(int Width, int Height) { return int(std::lround(MarginShare * std::min(Width, Height))); }

TBitmap ToDepthBitmap(const TGreyPlane& Plane) {
    TBitmap Bitmap(Plane.Width, Plane.Height, pf24bit);
    for (int Y = 0; Y < Plane.Height; ++Y) {
        const std::uint8_t* Source = Plane.Row(Y);
        std::uint8_t* Target = Bitmap.ScanLine(Y);
        for (int X = 0; X < Plane.Width; ++X, Target += 3) Target[0] = Target[1] = Target[2] = Source[X];
    }
    return Bitmap;
}
