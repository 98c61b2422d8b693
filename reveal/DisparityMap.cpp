#include "DisparityMap.h"

#include <algorithm>
#include <cmath>

namespace {

bool FillRow(TDisparityMap& Map, int Y, bool FarIsLarge) {
    const int W = Map.Width;
    float* D = Map.Disparity.data() + std::size_t(Y) * std::size_t(W);
    const std::uint8_t* M = Map.Matched.data() + std::size_t(Y) * std::size_t(W);
    std::vector<float> Filled(D, D + W);
    int Previous = -1;  // the last matched pixel to the left
    bool Any = false;
    for (int X = 0; X < W; ++X) {
        if (M[X]) {
            Previous = X;
            Any = true;
            continue;
        }
        int Next = X + 1;
        while (Next < W && !M[Next]) ++Next;
        for (int F = X; F < Next; ++F) {
            if (Previous < 0 && Next >= W) return false;
            if (Previous < 0) Filled[std::size_t(F)] = D[Next];
            else if (Next >= W) Filled[std::size_t(F)] = D[Previous];
            else Filled[std::size_t(F)] = FarIsLarge ? std::max(D[Previous], D[Next]) : std::min(D[Previous], D[Next]);
        }
        X = Next - 1;
    }
    std::copy(Filled.begin(), Filled.end(), D);
    return Any;
}

}  // namespace

void FillUnmatched(TDisparityMap& Map, bool FarIsLarge) {
    const int W = Map.Width, H = Map.Height;
    std::vector<std::uint8_t> RowFilled(std::size_t(H), 0);
    for (int Y = 0; Y < H; ++Y) RowFilled[std::size_t(Y)] = FillRow(Map, Y, FarIsLarge) ? 1 : 0;
    // Rows without a single match copy the nearest row that had one, above first.
    int Source = -1;
    for (int Y = 0; Y < H && Source < 0; ++Y)
        if (RowFilled[std::size_t(Y)]) Source = Y;
    if (Source < 0) return;
    for (int Y = 0; Y < H; ++Y) {
        if (RowFilled[std::size_t(Y)]) {
            Source = Y;
            continue;
        }
        std::copy_n(Map.Disparity.begin() + std::ptrdiff_t(Source) * W, W, Map.Disparity.begin() + std::ptrdiff_t(Y) * W);
    }
}

TDisparityMap Enlarged(const TDisparityMap& Map, int Factor, int Width, int Height) {
    if (Factor <= 1 && Map.Width == Width && Map.Height == Height) return Map;
    TDisparityMap Big{Width, Height, std::vector<float>(std::size_t(Width) * std::size_t(Height)),
                      std::vector<std::uint8_t>(std::size_t(Width) * std::size_t(Height))};
    const auto Source = [&](int I, int Size) {
        const double At = (I + 0.5) / Factor - 0.5;
        const int Low = std::clamp(int(std::floor(At)), 0, Size - 1);
        return std::pair{Low, std::clamp(At - Low, 0.0, 1.0)};
    };
    for (int Y = 0; Y < Height; ++Y) {
        const auto [Y0, FY] = Source(Y, Map.Height);
        const int Y1 = std::min(Y0 + 1, Map.Height - 1);
        for (int X = 0; X < Width; ++X) {
            const auto [X0, FX] = Source(X, Map.Width);
            const int X1 = std::min(X0 + 1, Map.Width - 1);
            const double Top = double(Map.At(X0, Y0)) * (1 - FX) + double(Map.At(X1, Y0)) * FX;
            const double Bottom = double(Map.At(X0, Y1)) * (1 - FX) + double(Map.At(X1, Y1)) * FX;
            const std::size_t I = std::size_t(Y) * std::size_t(Width) + std::size_t(X);
            Big.Disparity[I] = float((Top * (1 - FY) + Bottom * FY) * Factor);
            Big.Matched[I] = Map.Matched[std::size_t(Y0) * std::size_t(Map.Width) + std::size_t(X0)];
        }
    }
    return Big;
}
