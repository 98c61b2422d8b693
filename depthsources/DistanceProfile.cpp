#include "DistanceProfile.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// A pixel counts as inside the shape from half coverage on.
constexpr std::uint8_t InsideCoverage = 128;

// Exact squared Euclidean distance transform of one line (Felzenszwalb and Huttenlocher):
// Result[Q] = min over P of (Q − P)² + Cost[P]. Cost holds Count + 2 entries, the first and
// the last a zero-cost border, so that the picture's surroundings count as outside. Work
// arrays are the caller's, so that a line allocates nothing.
struct TLineTransform {
    explicit TLineTransform(int Count) : Parabola(std::size_t(Count) + 2), Boundary(std::size_t(Count) + 3) {}

    void Run(const float* Cost, int Count, float* Result) {
        const int N = Count + 2;
        int K = 0;
        Parabola[0] = 0;
        Boundary[0] = -HUGE_VAL;
        Boundary[1] = HUGE_VAL;
        for (int Q = 1; Q < N; ++Q) {
            double S = Intersection(Cost, Q, Parabola[std::size_t(K)]);
            while (S <= Boundary[std::size_t(K)]) {
                --K;
                S = Intersection(Cost, Q, Parabola[std::size_t(K)]);
            }
            ++K;
            Parabola[std::size_t(K)] = Q;
            Boundary[std::size_t(K)] = S;
            Boundary[std::size_t(K) + 1] = HUGE_VAL;
        }
        K = 0;
        for (int Q = 1; Q <= Count; ++Q) {
            while (Boundary[std::size_t(K) + 1] < Q) ++K;
            const int P = Parabola[std::size_t(K)];
            Result[Q - 1] = float(double(Q - P) * (Q - P) + double(Cost[P]));
        }
    }

private:
    static double Intersection(const float* Cost, int Q, int P) {
        return ((double(Cost[Q]) + double(Q) * Q) - (double(Cost[P]) + double(P) * P)) / (2.0 * (Q - P));
    }

    std::vector<int> Parabola;
    std::vector<double> Boundary;
};

// Squared distance from each pixel centre to the nearest outside pixel centre, no larger
// than Limit. Clamping the first pass at Limit changes no result below Limit, and keeps
// every value a small integer that a float holds exactly.
std::vector<float> SquaredInsideDistances(const TGreyPlane& Coverage, float Limit) {
    const int W = Coverage.Width, H = Coverage.Height;
    std::vector<float> Distances(std::size_t(W) * std::size_t(H));
    std::vector<float> Cost(std::size_t(std::max(W, H)) + 2, 0.0f);
    std::vector<float> Result(std::size_t(std::max(W, H)));

    TLineTransform Columns(H);
    for (int X = 0; X < W; ++X) {
        for (int Y = 0; Y < H; ++Y) Cost[std::size_t(Y) + 1] = Coverage.Row(Y)[X] >= InsideCoverage ? Limit : 0.0f;
        Cost[std::size_t(H) + 1] = 0.0f;
        Columns.Run(Cost.data(), H, Result.data());
        for (int Y = 0; Y < H; ++Y) Distances[std::size_t(Y) * std::size_t(W) + std::size_t(X)] = std::min(Result[std::size_t(Y)], Limit);
    }
    TLineTransform Rows(W);
    for (int Y = 0; Y < H; ++Y) {
        float* Line = Distances.data() + std::size_t(Y) * std::size_t(W);
        std::copy(Line, Line + W, Cost.begin() + 1);
        Cost[std::size_t(W) + 1] = 0.0f;
        Rows.Run(Cost.data(), W, Line);
        for (int X = 0; X < W; ++X) Line[X] = std::min(Line[X], Limit);
    }
    return Distances;
}

}  // namespace

void ApplyDistanceProfile(TGreyPlane& Coverage, TReliefProfile Profile, double CapPixels) {
    CapPixels = std::max(CapPixels, 1.0);
    // The outline lies about half a pixel before the first outside pixel centre.
    const double Reach = CapPixels + 0.5;
    const std::vector<float> Squared = SquaredInsideDistances(Coverage, float(std::ceil(Reach * Reach)));
    for (int Y = 0; Y < Coverage.Height; ++Y) {
        std::uint8_t* Row = Coverage.Row(Y);
        const float* SquaredRow = Squared.data() + std::size_t(Y) * std::size_t(Coverage.Width);
        for (int X = 0; X < Coverage.Width; ++X) {
            if (Row[X] == 0) continue;
            double Height = 1.0;
            if (Profile == TReliefProfile::Round) {
                const double T = std::clamp((std::sqrt(double(SquaredRow[X])) - 0.5) / CapPixels, 0.0, 1.0);
                Height = std::sqrt(T * (2.0 - T));
            }
            Row[X] = std::uint8_t(std::lround(Height * Row[X]));
        }
    }
}
