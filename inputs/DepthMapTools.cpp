#include "DepthMapTools.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "Stereogram.h"

namespace {

constexpr int Channels = 3;

TBitmap As24Bit(const TBitmap& Picture) {
    TBitmap Copy = Picture;
    Copy.SetPixelFormat(pf24bit);
    return Copy;
}

// How one side of a picture is resampled: output position I mixes the source positions
// Index[From[I]] … Index[From[I + 1] − 1] with their weights (which add up to 1).
struct TAxisResampling {
    std::vector<int> From{0};
    std::vector<int> Index;
    std::vector<float> Weight;

    void Add(int Source, double Share) {
        Index.push_back(Source);
        Weight.push_back(float(Share));
    }
    void EndPosition() { From.push_back(int(Index.size())); }
};

// Each output position averages the stretch of the source it covers.
TAxisResampling AreaAverage(int Source, int Target) {
    TAxisResampling R;
    const double Step = double(Source) / Target;
    for (int I = 0; I < Target; ++I) {
        const double Begin = I * Step, End = (I + 1) * Step;
        for (int S = int(Begin); S < Source && S < End; ++S) {
            const double Covered = std::min(End, S + 1.0) - std::max(Begin, double(S));
            if (Covered > 0) R.Add(S, Covered / Step);
        }
        R.EndPosition();
    }
    return R;
}

// Each output position interpolates between the two source pixel centres around it.
TAxisResampling Bilinear(int Source, int Target) {
    TAxisResampling R;
    for (int I = 0; I < Target; ++I) {
        const double At = std::clamp((I + 0.5) * Source / Target - 0.5, 0.0, double(Source - 1));
        const int Left = int(At);
        const double Right = At - Left;
        R.Add(Left, 1 - Right);
        if (Right > 0) R.Add(Left + 1, Right);
        R.EndPosition();
    }
    return R;
}

TAxisResampling Resampling(int Source, int Target) { return Target < Source ? AreaAverage(Source, Target) : Bilinear(Source, Target); }

// Source (24 bits) scaled to Width × Height into Target at (Left, Top): rows first into a
// buffer of floats, then columns.
void Scale(const TBitmap& Source, int Width, int Height, TBitmap& Target, int Left, int Top) {
    const TAxisResampling Across = Resampling(Source.Width(), Width);
    const TAxisResampling Down = Resampling(Source.Height(), Height);
    const std::size_t RowFloats = std::size_t(Width) * Channels;
    std::vector<float> Rows(RowFloats * std::size_t(Source.Height()));
    for (int Y = 0; Y < Source.Height(); ++Y) {
        const std::uint8_t* In = Source.ScanLine(Y);
        float* Out = &Rows[RowFloats * std::size_t(Y)];
        for (int X = 0; X < Width; ++X)
            for (int K = Across.From[std::size_t(X)]; K < Across.From[std::size_t(X) + 1]; ++K)
                for (int C = 0; C < Channels; ++C)
                    Out[X * Channels + C] += Across.Weight[std::size_t(K)] * In[Across.Index[std::size_t(K)] * Channels + C];
    }
    for (int Y = 0; Y < Height; ++Y) {
        std::uint8_t* Out = Target.ScanLine(Top + Y) + std::size_t(Left) * Channels;
        for (std::size_t I = 0; I < RowFloats; ++I) {
            float Sum = 0;
            for (int K = Down.From[std::size_t(Y)]; K < Down.From[std::size_t(Y) + 1]; ++K)
                Sum += Down.Weight[std::size_t(K)] * Rows[RowFloats * std::size_t(Down.Index[std::size_t(K)]) + I];
            Out[I] = std::uint8_t(std::clamp(std::lround(Sum), 0L, 255L));
        }
    }
}

}  // namespace

TBitmap InvertDepth(const TBitmap& Depth) {
    TBitmap Result = As24Bit(Depth);
    for (int Y = 0; Y < Result.Height(); ++Y) {
        std::uint8_t* Row = Result.ScanLine(Y);
        for (int I = 0; I < Result.Width() * Channels; ++I) Row[I] = std::uint8_t(255 - Row[I]);
    }
    return Result;
}

TBitmap FitDepth(const TBitmap& Depth, int Width, int Height) {
    if (Depth.Empty() || Width < 1 || Height < 1) return TBitmap();
    const double Factor = std::min(double(Width) / Depth.Width(), double(Height) / Depth.Height());
    const int FitWidth = std::clamp(int(std::lround(Depth.Width() * Factor)), 1, Width);
    const int FitHeight = std::clamp(int(std::lround(Depth.Height() * Factor)), 1, Height);
    TBitmap Result(Width, Height, pf24bit);
    Scale(As24Bit(Depth), FitWidth, FitHeight, Result, (Width - FitWidth) / 2, (Height - FitHeight) / 2);
    return Result;
}

TBitmap DepthLevelsInOutput(const TBitmap& Depth, int Width, int Height) {
    TBitmap Result(Width, Height, pf24bit);
    // The generator's placement: the offsets truncate toward zero, as its own division does.
    const int Left = (Width - Depth.Width()) / 2, Top = (Height - Depth.Height()) / 2;
    for (int Y = std::max(0, Top); Y < std::min(Height, Top + Depth.Height()); ++Y)
        for (int X = std::max(0, Left); X < std::min(Width, Left + Depth.Width()); ++X) {
            const auto Level = std::uint8_t(Depth.Pixel(X - Left, Y - Top) / TStereogram::GreyLevelDivisor);
            Result.SetPixel(X, Y, PackColor(Level, Level, Level));
        }
    return Result;
}
