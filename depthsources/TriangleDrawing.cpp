#include "TriangleDrawing.h"

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>

namespace raster {
namespace {

// The narrow path tests four samples at once in 32-bit lanes. They hold every edge value of
// the triangle once its first row's start is clamped to ±2^30, while a step along a row is
// at most 2^25 (19 steps < 0.6 · 2^30) and the rows together change it by at most 2^27:
// a clamped value then keeps its sign, and none leaves the 32-bit range.
constexpr std::int64_t LaneStart = std::int64_t(1) << 30;
constexpr std::int64_t MaxLaneStep = std::int64_t(1) << 25;
constexpr std::int64_t MaxLaneDrift = std::int64_t(1) << 27;

// For an edge value E that changes by Step per sample: the first step K ≥ 0 with
// E + K · Step ≥ 0 when Step > 0, the last one when Step < 0. A floating-point division
// is far cheaper than a 64-bit integer one; the exact integer tests correct its rounding.
std::int64_t FirstInside(std::int64_t E, std::int64_t Step) {
    if (E >= 0) return 0;
    auto K = std::int64_t(double(-E) / double(Step));
    while (E + K * Step < 0) ++K;
    while (K > 0 && E + (K - 1) * Step >= 0) --K;
    return K;
}
std::int64_t LastInside(std::int64_t E, std::int64_t Step) {
    if (E < 0) return -1;
    auto K = std::int64_t(double(E) / double(-Step));
    while (E + K * Step < 0) --K;
    while (E + (K + 1) * Step >= 0) ++K;
    return K;
}

// One edge's function E(p) = A·(x − x0) + B·(y − y0) from its first corner, positive
// inside. A sample exactly on an edge belongs to the triangle on the edge's right, or
// below it when the edge is horizontal; the neighbour across the edge never takes it too.
struct TEdge {
    std::int64_t A, B;
    std::int64_t Value(std::int64_t X, std::int64_t Y, const TScreenVertex& From) const { return A * (X - From.X) + B * (Y - From.Y); }
    std::int64_t Bias() const { return (A > 0 || (A == 0 && B > 0)) ? 0 : -1; }
};

TEdge EdgeOf(const TScreenVertex& From, const TScreenVertex& To) { return {std::int64_t(From.Y) - To.Y, std::int64_t(To.X) - From.X}; }

// A triangle at most NarrowTriangleColumns samples wide, Rows rows of Columns samples from
// Line + Lead on: four samples at a time, every sample of the groups tested against the
// three edges. A sample's nearness is QStart + K · QStep in float, as in the wide path. Line
// is on a group of four, so that loads and stores never straddle a cache line and a store
// is read back whole by the next triangle. The Lead samples before the box and those after
// it lie outside the triangle, as every sample outside its box does, and keep their value;
// a group never reaches past its row, whose length is a whole number of groups.
void DrawNarrow(const std::int64_t Row[3], const std::int64_t StepX[3], const std::int64_t StepY[3], double QRow, double QStepY, float QStep,
                int Lead, int Columns, int Rows, float* Line, int Stride) {
    // Each row's start of the nearness, stepped in double as the wide path does.
    float QStart[BandSampleRows];
    for (int Y = 0; Y < Rows; ++Y, QRow += QStepY) QStart[Y] = float(QRow);
    // The group of four samples at the box's left, one column of groups after another.
    TLanes First[3], Step[3], Down[3];
    for (int K = 0; K < 3; ++K) {
        const auto Across = std::int32_t(StepX[K]), Start = std::int32_t(std::clamp(Row[K], -LaneStart, LaneStart)) - Lead * Across;
        First[K] = TLanes{Start, Start + Across, Start + 2 * Across, Start + 3 * Across};
        Step[K] = TLanes{} + Lanes * Across;
        Down[K] = TLanes{} + std::int32_t(StepY[K]);
    }
    TLanes Column = TLanes{0, 1, 2, 3} - Lead;
    for (int X = 0; X < Lead + Columns; X += Lanes, Column += Lanes) {
        const TFloatLanes Ramp = __builtin_convertvector(Column, TFloatLanes) * QStep;
        TLanes E0 = First[0], E1 = First[1], E2 = First[2];
        float* Group = Line + X;
        for (int Y = 0; Y < Rows; ++Y, Group += Stride) {
            TFloatLanes Old;
            std::memcpy(&Old, Group, sizeof Old);
            const TLanes Inside = (E0 | E1 | E2) >= 0;
            // Every value drawn is at least 1 and every value held at least 0, so the larger
            // of the old value and the new one or zero is the nearer sample.
            const auto Q = std::bit_cast<TFloatLanes>(std::bit_cast<TLanes>(QStart[Y] + Ramp) & Inside);
            const TFloatLanes New = Old < Q ? Q : Old;
            std::memcpy(Group, &New, sizeof New);
            E0 += Down[0], E1 += Down[1], E2 += Down[2];
        }
        for (int K = 0; K < 3; ++K) First[K] += Step[K];
    }
}

}  // namespace

TTriangleBox BoxOf(const TScreenVertex& V0, const TScreenVertex& V1, const TScreenVertex& V2, const TScene& Scene) {
    return {std::int32_t(FirstSample(std::min({V0.X, V1.X, V2.X}))),
            std::int32_t(std::min<std::int64_t>(LastSample(std::max({V0.X, V1.X, V2.X})), Scene.SampleWidth - 1)),
            std::int32_t(FirstSample(std::min({V0.Y, V1.Y, V2.Y}))),
            std::int32_t(std::min<std::int64_t>(LastSample(std::max({V0.Y, V1.Y, V2.Y})), Scene.SampleHeight - 1)), std::max({V0.Q, V1.Q, V2.Q})};
}

void DrawTriangle(TScreenVertex V0, TScreenVertex V1, TScreenVertex V2, const TSampleBox& Box, const TScene& Scene, int BandTop, float* Depth) {
    std::int64_t Area = (std::int64_t(V1.X) - V0.X) * (std::int64_t(V2.Y) - V0.Y) - (std::int64_t(V1.Y) - V0.Y) * (std::int64_t(V2.X) - V0.X);
    if (Area == 0) return;
    if (Area < 0) {
        std::swap(V1, V2);
        Area = -Area;
    }
    const std::int64_t X0 = Box.X0, X1 = Box.X1, Y0 = Box.Y0, Y1 = Box.Y1;

    // Edge Ek lies opposite corner k; Ek / Area is corner k's barycentric weight.
    const TEdge E[3] = {EdgeOf(V1, V2), EdgeOf(V2, V0), EdgeOf(V0, V1)};
    const TScreenVertex* From[3] = {&V1, &V2, &V0};
    const float Q[3] = {V0.Q, V1.Q, V2.Q};
    const std::int64_t StartX = X0 * FixedOne + FixedHalf, StartY = Y0 * FixedOne + FixedHalf;
    std::int64_t Row[3], StepX[3], StepY[3];
    double QRow = 0, QStepX = 0, QStepY = 0;
    for (int K = 0; K < 3; ++K) {
        const std::int64_t Value = E[K].Value(StartX, StartY, *From[K]);
        Row[K] = Value + E[K].Bias();
        StepX[K] = E[K].A * FixedOne;
        StepY[K] = E[K].B * FixedOne;
        QRow += double(Value) * double(Q[K]);
        QStepX += double(StepX[K]) * double(Q[K]);
        QStepY += double(StepY[K]) * double(Q[K]);
    }
    const double InverseArea = 1.0 / double(Area);
    QRow *= InverseArea, QStepX *= InverseArea, QStepY *= InverseArea;
    const auto QStep = float(QStepX);

    const std::int64_t Columns = X1 - X0 + 1;
    const std::int64_t Rows = Y1 - Y0 + 1;
    if (Columns <= NarrowTriangleColumns && std::max({std::abs(StepX[0]), std::abs(StepX[1]), std::abs(StepX[2])}) <= MaxLaneStep &&
        std::max({std::abs(StepY[0]), std::abs(StepY[1]), std::abs(StepY[2])}) * Rows <= MaxLaneDrift) {
        const int Lead = int(X0 % Lanes);
        DrawNarrow(Row, StepX, StepY, QRow, QStepY, QStep, Lead, int(Columns), int(Rows), Depth + (Y0 - BandTop) * Scene.SampleWidth + X0 - Lead,
                   Scene.SampleWidth);
        return;
    }

    for (std::int64_t Y = Y0; Y <= Y1; ++Y) {
        // The samples of this row inside all three edges: E + k · StepX ≥ 0 for each.
        std::int64_t Left = 0, Right = X1 - X0;
        for (int K = 0; K < 3; ++K) {
            if (StepX[K] > 0) Left = std::max(Left, FirstInside(Row[K], StepX[K]));
            else if (StepX[K] < 0) Right = std::min(Right, LastInside(Row[K], StepX[K]));
            else if (Row[K] < 0) Right = -1;
        }
        float* Line = Depth + (Y - BandTop) * Scene.SampleWidth + X0;
        const auto QStart = float(QRow);
        for (std::int64_t K = Left; K <= Right; ++K) Line[K] = std::max(Line[K], QStart + float(K) * QStep);
        Row[0] += StepY[0], Row[1] += StepY[1], Row[2] += StepY[2];
        QRow += QStepY;
    }
}

}  // namespace raster
