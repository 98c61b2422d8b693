#include "SemiGlobalMatcher.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <memory>
#include <vector>

#include "ChannelRow.h"
#include "ParallelBands.h"

namespace {

// Signed 16 bits: every cost, path cost and their sum over the paths stays far below 2^15,
// and the vector units take the least of signed 16-bit lanes in one step.
using TCost = std::int16_t;

// A pixel pair's cost: the colour difference, capped so that a texture's edges do not
// swamp a window, in 32 steps.
constexpr int kColourCap = 127, kColourShift = 2;
// The cost of a pair that leaves the picture: nothing speaks against it, so that the
// pixels near the edges, whose pairs mostly leave it, take the depth of their neighbours.
constexpr int kOutsideCost = 0;
constexpr int kHalfBox = 1;  // the window is 3 × 3 pixels
// Smoothness: a step of one separation between neighbours costs P1, a larger one P2.
constexpr int kStepPenalty = 60, kJumpPenalty = 500;
constexpr TCost kUnreachable = 0x3FFF;
// A pair whose window costs at most this (its colours all but equal) holds up even where
// one of its ends prefers another separation: the pixels of a thin near part are also
// the ends of pairs of the surface behind it, which the smoothing favours.
constexpr int kAlikeCost = 10;

struct TVolume {
    int Width = 0, Height = 0, Smallest = 0, Count = 0;
    // [Y][X][separation − Smallest]; left uninitialised, as every stage writes all of its rows
    std::unique_ptr<TCost[]> Values;

    TVolume(int W, int H, int S, int N)
        : Width(W), Height(H), Smallest(S), Count(N), Values(std::make_unique_for_overwrite<TCost[]>(std::size_t(W) * std::size_t(H) * std::size_t(N))) {}
    TCost* At(int X, int Y) { return Values.get() + (std::size_t(Y) * std::size_t(Width) + std::size_t(X)) * std::size_t(Count); }
    const TCost* At(int X, int Y) const {
        return Values.get() + (std::size_t(Y) * std::size_t(Width) + std::size_t(X)) * std::size_t(Count);
    }
};

// Out := the pair costs of rows Begin … End − 1 summed over 5 columns. Worked out one
// separation at a time along the row, where the pixels of the pairs lie side by side.
void RowWindowCosts(const TRevealPicture& P, TVolume& Out, int Begin, int End) {
    const int N = Out.Count, W = P.Width;
    // Raw: the pair costs of one separation, with kHalfBox entries of the outside cost either side.
    std::vector<TCost> Raw(std::size_t(W) + 2 * kHalfBox, TCost(kOutsideCost)), Box(std::size_t(W) * std::size_t(N));  // Box: [separation][X]
    TChannelRow Row;
    std::vector<std::uint16_t> PairCosts(static_cast<std::size_t>(W));
    for (int Y = Begin; Y < End; ++Y) {
        Row.Take(P.Row(Y), W);
        for (int K = 0; K < N; ++K) {
            const int D = Out.Smallest + K, Half = D / 2;
            // Pixels whose pair lies inside: Left = X − Half ≥ 0 and Left + D < W.
            const int First = std::min(W, Half), Stop = std::max(First, W - D + Half);
            TCost* __restrict Costs = Raw.data() + kHalfBox;
            std::fill(Costs, Costs + First, TCost(kOutsideCost));
            if (Stop > First) Row.PairCosts(First - Half, D, Stop - First, kColourCap, PairCosts.data());
            const std::uint16_t* __restrict Pair = PairCosts.data();
            for (int X = First; X < Stop; ++X) Costs[X] = TCost(Pair[X - First] >> kColourShift);
            std::fill(Costs + Stop, Costs + W, TCost(kOutsideCost));
            TCost* __restrict Sums = Box.data() + std::size_t(K) * std::size_t(W);
            const TCost* __restrict From = Raw.data();
            for (int X = 0; X < W; ++X) {
                int Sum = 0;
                for (int J = 0; J <= 2 * kHalfBox; ++J) Sum += From[X + J];
                Sums[X] = TCost(Sum);
            }
        }
        for (int X = 0; X < W; ++X) {
            TCost* To = Out.At(X, Y);
            for (int K = 0; K < N; ++K) To[K] = Box[std::size_t(K) * std::size_t(W) + std::size_t(X)];
        }
    }
}

// Out := In summed over 5 rows, rows Begin … End − 1.
void ColumnWindowCosts(const TVolume& In, TVolume& Out, int Begin, int End) {
    const std::size_t RowSize = std::size_t(In.Width) * std::size_t(In.Count);
    for (int Y = Begin; Y < End; ++Y) {
        TCost* Sum = Out.At(0, Y);
        std::fill(Sum, Sum + RowSize, 0);
        for (int J = Y - kHalfBox; J <= Y + kHalfBox; ++J) {
            const TCost* Add = In.At(0, std::clamp(J, 0, In.Height - 1));
            for (std::size_t I = 0; I < RowSize; ++I) Sum[I] = TCost(Sum[I] + Add[I]);
        }
    }
}

// One step along a path: Cur (N entries, padded by one unreachable entry either side, as
// Prev) from the pixel's costs and the previous pixel's path costs; adds it to Total.
// Returns the smallest entry of Cur.
TCost PathStep(const TCost* __restrict Costs, const TCost* __restrict Prev, TCost PrevLeast, TCost* __restrict Cur,
               TCost* __restrict Total, int N) {
    const auto Jump = TCost(PrevLeast + kJumpPenalty);
    TCost Least = kUnreachable;
    for (int K = 0; K < N; ++K) {
        const auto Step = TCost(std::min(Prev[K], Prev[K + 2]) + kStepPenalty);
        const auto Value = TCost(Costs[K] + std::min(std::min(Prev[K + 1], Step), Jump) - PrevLeast);
        Cur[K + 1] = Value;
        Total[K] = TCost(Total[K] + Value);
        Least = std::min(Least, Value);
    }
    return Least;
}

struct TPathBuffer {
    std::vector<TCost> Values;
    explicit TPathBuffer(int N) : Values(std::size_t(N) + 2, kUnreachable) {}
    void Start() { std::fill(Values.begin() + 1, Values.end() - 1, 0); }
    TCost* Data() { return Values.data(); }
};

void RowPaths(const TVolume& Costs, TVolume& Total, int Begin, int End) {
    const int N = Costs.Count, W = Costs.Width;
    TPathBuffer A(N), B(N);
    for (int Y = Begin; Y < End; ++Y) {
        std::fill_n(Total.At(0, Y), std::size_t(W) * std::size_t(N), TCost(0));  // the row paths come first
        for (int Direction : {1, -1}) {
            A.Start();
            TCost Least = 0;
            TCost *Prev = A.Data(), *Cur = B.Data();
            for (int I = 0; I < W; ++I) {
                const int X = Direction > 0 ? I : W - 1 - I;
                Least = PathStep(Costs.At(X, Y), Prev, Least, Cur, Total.At(X, Y), N);
                std::swap(Prev, Cur);
            }
        }
    }
}

void ColumnPaths(const TVolume& Costs, TVolume& Total, int Begin, int End) {
    const int N = Costs.Count, H = Costs.Height;
    std::vector<TPathBuffer> Prev(std::size_t(End - Begin), TPathBuffer(N)), Cur = Prev;
    std::vector<TCost> Least(std::size_t(End - Begin));
    for (int Direction : {1, -1}) {
        for (auto& P : Prev) P.Start();
        std::fill(Least.begin(), Least.end(), 0);
        for (int I = 0; I < H; ++I) {
            const int Y = Direction > 0 ? I : H - 1 - I;
            for (int X = Begin; X < End; ++X) {
                const std::size_t C = std::size_t(X - Begin);
                Least[C] = PathStep(Costs.At(X, Y), Prev[C].Data(), Least[C], Cur[C].Data(), Total.At(X, Y), N);
            }
            std::swap(Prev, Cur);
        }
    }
}

// The first least path cost of each pixel of a row (AsCentre: its index), and the best
// separation of the pairs each pixel is one end of (−1 where none lies inside), from the
// row's path costs laid out separation by separation (ByK[K × W + C]). The pair centred on
// C with separation D has its left end at C − D / 2 and its right end D further.
struct TEndBest {
    std::vector<TCost> ByK, CentreCost, LeftCost, RightCost, AsCentre, AsLeft, AsRight;

    TEndBest(int W, int N)
        : ByK(std::size_t(W) * std::size_t(N)), CentreCost(std::size_t(W)), LeftCost(CentreCost), RightCost(CentreCost),
          AsCentre(CentreCost), AsLeft(CentreCost), AsRight(CentreCost) {}

    void Find(const TVolume& Total, int Y) {
        const int W = Total.Width, N = Total.Count;
        const TCost* Row = Total.At(0, Y);
        for (std::size_t C = 0; C < std::size_t(W); ++C)
            for (std::size_t K = 0; K < std::size_t(N); ++K) ByK[K * std::size_t(W) + C] = Row[C * std::size_t(N) + K];
        std::fill(CentreCost.begin(), CentreCost.end(), std::numeric_limits<TCost>::max());
        std::fill(LeftCost.begin(), LeftCost.end(), std::numeric_limits<TCost>::max());
        std::fill(RightCost.begin(), RightCost.end(), std::numeric_limits<TCost>::max());
        std::fill(AsLeft.begin(), AsLeft.end(), TCost(-1));
        std::fill(AsRight.begin(), AsRight.end(), TCost(-1));
        for (int K = 0; K < N; ++K) {
            const auto D = TCost(Total.Smallest + K);
            const int Half = D / 2, Rest = D - Half;
            Keep(ByK.data() + std::size_t(K) * std::size_t(W), CentreCost.data(), AsCentre.data(), W, TCost(K));
            // Left ends E take the pair centred on E + Half, right ends the one on E − Rest.
            Keep(ByK.data() + std::size_t(K) * std::size_t(W) + Half, LeftCost.data(), AsLeft.data(), std::max(0, W - Half), D);
            Keep(ByK.data() + std::size_t(K) * std::size_t(W), RightCost.data() + Rest, AsRight.data() + Rest, std::max(0, W - Rest), D);
        }
    }

private:
    static void Keep(const TCost* __restrict Costs, TCost* __restrict Best, TCost* __restrict As, int Count, TCost D) {
        for (int E = 0; E < Count; ++E) {
            const bool Better = Costs[E] < Best[E];
            Best[E] = Better ? Costs[E] : Best[E];
            As[E] = Better ? D : As[E];
        }
    }
};

void ChooseRows(const TVolume& Total, const TVolume& Costs, TDisparityMap& Map, int Begin, int End) {
    const int W = Total.Width, N = Total.Count;
    TEndBest Ends(W, N);
    for (int Y = Begin; Y < End; ++Y) {
        Ends.Find(Total, Y);
        for (int X = 0; X < W; ++X) {
            const TCost* S = Total.At(X, Y);
            const int K = Ends.AsCentre[std::size_t(X)];
            const int D = Total.Smallest + K;
            double Fraction = 0;
            if (K > 0 && K + 1 < N) {
                const double Curve = double(S[K - 1]) - 2.0 * S[K] + S[K + 1];
                if (Curve > 0) Fraction = std::clamp((double(S[K - 1]) - S[K + 1]) / (2 * Curve), -0.5, 0.5);
            }
            const std::size_t I = std::size_t(Y) * std::size_t(W) + std::size_t(X);
            Map.Disparity[I] = float(D + Fraction);
            const int Left = X - D / 2, Right = Left + D;
            const bool Inside = Left >= 0 && Right < W;
            const bool BothEnds = Inside && std::abs(Ends.AsLeft[std::size_t(Left)] - D) <= 1 && std::abs(Ends.AsRight[std::size_t(Right)] - D) <= 1;
            Map.Matched[I] = BothEnds || (Inside && Costs.At(X, Y)[K] <= kAlikeCost);
        }
    }
}

}  // namespace

TDisparityMap MatchDisparities(const TRevealPicture& Picture, int Smallest, int Largest, int Threads) {
    const int W = Picture.Width, H = Picture.Height, N = Largest - Smallest + 1;
    TVolume Costs(W, H, Smallest, N), Total(W, H, Smallest, N);
    // Total holds the row sums first, then the path costs (each row cleared as its row paths start).
    ForEachBand(H, Threads, [&](int Begin, int End) { RowWindowCosts(Picture, Total, Begin, End); });
    ForEachBand(H, Threads, [&](int Begin, int End) { ColumnWindowCosts(Total, Costs, Begin, End); });
    ForEachBand(H, Threads, [&](int Begin, int End) { RowPaths(Costs, Total, Begin, End); });
    ForEachBand(W, Threads, [&](int Begin, int End) { ColumnPaths(Costs, Total, Begin, End); });
    TDisparityMap Map{W, H, std::vector<float>(std::size_t(W) * std::size_t(H)), std::vector<std::uint8_t>(std::size_t(W) * std::size_t(H))};
    ForEachBand(H, Threads, [&](int Begin, int End) { ChooseRows(Total, Costs, Map, Begin, End); });
    return Map;
}
