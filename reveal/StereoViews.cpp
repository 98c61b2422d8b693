#include "StereoViews.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr std::uint8_t kNoTextureGrey = 200;
// Light from the upper left and the front; the relief's height per depth level in pixels.
constexpr double kLightX = -0.5, kLightY = -0.5, kLightZ = 0.7, kReliefHeight = 0.15, kAmbient = 0.35;

TBitmap As24(const TBitmap& Bitmap) {
    if (Bitmap.PixelFormat() == pf24bit) return Bitmap;
    TBitmap Converted = Bitmap;
    Converted.SetPixelFormat(pf24bit);
    return Converted;
}

int LevelAt(const TBitmap& Depth, int X, int Y) { return Depth.ScanLine(std::clamp(Y, 0, Depth.Height() - 1))[3 * std::clamp(X, 0, Depth.Width() - 1) + 2]; }

double Shade(const TBitmap& Depth, int X, int Y) {
    const double Dx = (LevelAt(Depth, X + 1, Y) - LevelAt(Depth, X - 1, Y)) * kReliefHeight / 2;
    const double Dy = (LevelAt(Depth, X, Y + 1) - LevelAt(Depth, X, Y - 1)) * kReliefHeight / 2;
    // The normal of the height field is (−Dx, −Dy, 1); near is up.
    const double Length = std::sqrt(Dx * Dx + Dy * Dy + 1);
    const double LightLength = std::sqrt(kLightX * kLightX + kLightY * kLightY + kLightZ * kLightZ);
    const double Lambert = (-Dx * kLightX - Dy * kLightY + kLightZ) / (Length * LightLength);
    return std::clamp(kAmbient + (1 - kAmbient) * Lambert, 0.0, 1.0);
}

}  // namespace

TBitmap EyeView(const TBitmap& DepthIn, const TBitmap& TextureIn, const TEyeViewSettings& Settings, TEye Eye) {
    const TBitmap Depth = As24(DepthIn), Texture = As24(TextureIn);
    const int W = Depth.Width(), H = Depth.Height();
    TBitmap Out(W, H, pf24bit);
    if (W == 0 || H == 0) return Out;
    const auto& Separations = Settings.Geometry.Separations;
    const double Samples = std::max(1, Settings.Geometry.Oversampling);
    const int Nearest = *std::min_element(Separations.begin(), Separations.end());
    const double Direction = Eye == TEye::Left ? -0.5 : 0.5;
    std::vector<int> Drawn(static_cast<std::size_t>(W));  // level drawn at each column, −1 for none
    for (int Y = 0; Y < H; ++Y) {
        std::fill(Drawn.begin(), Drawn.end(), -1);
        std::uint8_t* Row = Out.ScanLine(Y);
        const std::uint8_t* TextureRow = Texture.Empty() ? nullptr : Texture.ScanLine(Y % Texture.Height());
        for (int X = 0; X < W; ++X) {
            int Level = LevelAt(Depth, X, Y);
            // Levels a run drew for crossed eyes lie the other way round.
            const int Drawing = Settings.Geometry.CrossEyed ? 255 - Level : Level;
            const double Shift = Direction * (Separations[std::size_t(Drawing)] - Nearest) / Samples;
            const int To = int(std::lround(X + Shift));
            if (To < 0 || To >= W || Drawn[std::size_t(To)] > Level) continue;
            Drawn[std::size_t(To)] = Level;
            const double Light = Settings.Shaded ? Shade(Depth, X, Y) : 1.0;
            for (int C = 0; C < 3; ++C) {
                const int Base = TextureRow ? TextureRow[3 * (X % Texture.Width()) + C] : kNoTextureGrey;
                Row[3 * To + C] = std::uint8_t(std::lround(Base * Light));
            }
        }
        // Uncovered pixels take the farther of their drawn neighbours: the background.
        for (int X = 0; X < W; ++X) {
            if (Drawn[std::size_t(X)] >= 0) continue;
            int Left = X - 1, Right = X + 1;
            while (Left >= 0 && Drawn[std::size_t(Left)] < 0) --Left;
            while (Right < W && Drawn[std::size_t(Right)] < 0) ++Right;
            const bool UseLeft = Right >= W || (Left >= 0 && Drawn[std::size_t(Left)] <= Drawn[std::size_t(Right)]);
            const int From = UseLeft ? Left : Right;
            if (From < 0 || From >= W) continue;  // nothing drawn in the row: it stays black
            std::copy_n(Row + 3 * From, 3, Row + 3 * X);
        }
    }
    return Out;
}

TBitmap Anaglyph(const TBitmap& LeftIn, const TBitmap& RightIn) {
    const TBitmap Left = As24(LeftIn), Right = As24(RightIn);
    const int W = std::min(Left.Width(), Right.Width()), H = std::min(Left.Height(), Right.Height());
    TBitmap Out(W, H, pf24bit);
    const auto Grey = [](const std::uint8_t* P) { return std::uint8_t((P[0] * 114 + P[1] * 587 + P[2] * 299 + 500) / 1000); };
    for (int Y = 0; Y < H; ++Y) {
        const std::uint8_t *L = Left.ScanLine(Y), *R = Right.ScanLine(Y);
        std::uint8_t* O = Out.ScanLine(Y);
        for (int X = 0; X < W; ++X) {
            O[3 * X + 2] = Grey(L + 3 * X);                   // red
            O[3 * X] = O[3 * X + 1] = Grey(R + 3 * X);        // blue and green
        }
    }
    return Out;
}

TBitmap SideBySide(const TBitmap& FirstIn, const TBitmap& SecondIn) {
    const TBitmap First = As24(FirstIn), Second = As24(SecondIn);
    const int H = std::max(First.Height(), Second.Height());
    TBitmap Out(First.Width() + Second.Width(), H, pf24bit);
    for (int Y = 0; Y < H; ++Y) {
        std::uint8_t* O = Out.ScanLine(Y);
        std::fill_n(O, 3 * Out.Width(), std::uint8_t(0));
        if (Y < First.Height()) std::copy_n(First.ScanLine(Y), 3 * First.Width(), O);
        if (Y < Second.Height()) std::copy_n(Second.ScanLine(Y), 3 * Second.Width(), O + 3 * First.Width());
    }
    return Out;
}
