#include "DepthRasterizer.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <numbers>
#include <optional>
#include <span>
#include <thread>
#include <utility>

namespace {

constexpr int Samples = 4;  // samples per pixel along each axis
constexpr int SamplesPerPixel = Samples * Samples;
// Corners are snapped to 1/256 of a sample, so that edge functions are exact integers:
// neighbouring triangles then share every sample on their common edge exactly once.
constexpr int FixedBits = 8;
constexpr std::int64_t FixedOne = std::int64_t(1) << FixedBits;
constexpr std::int64_t FixedHalf = FixedOne / 2;
// Pixel rows drawn together: the band's sample depths stay in the cache, and the depth
// buffer stays small whatever the picture's size.
constexpr int BandPixelRows = 8;
constexpr int BandSampleRows = BandPixelRows * Samples;
// A triangle at most this many samples wide is tested sample by sample: cheaper than
// finding each row's first and last sample by division, and it takes the same samples.
constexpr std::int64_t NarrowTriangleColumns = 16;
// Bands are shared out among threads when there are at least this many per thread.
constexpr int MinBandsPerThread = 4;
// Corners and triangles are shared out among threads when there are at least this many per thread.
constexpr std::size_t MinItemsPerThread = 32768;
// The narrow path tests four samples at once in 32-bit lanes. They hold every edge value of
// the triangle once its first row's start is clamped to ±2^30, while a step along a row is
// at most 2^25 (19 steps < 0.6 · 2^30) and the rows together change it by at most 2^27:
// a clamped value then keeps its sign, and none leaves the 32-bit range.
constexpr std::int64_t LaneStart = std::int64_t(1) << 30;
constexpr std::int64_t MaxLaneStep = std::int64_t(1) << 25;
constexpr std::int64_t MaxLaneDrift = std::int64_t(1) << 27;
// Floats after a band's depth buffer, so that the last row's four-sample groups stay inside it.
constexpr std::size_t BandPadding = NarrowTriangleColumns;
// The side of the squares in which a band's farthest drawn nearness is kept, in samples.
constexpr int BlockSamples = 8;
// Perspective: the camera's distance from the model's centre, in radii of its bounding sphere.
constexpr double CameraDistanceInRadii = 2.5;
// Depth buffer entries: 0 where no surface is, else the nearness Q, from 1 at the model's
// farthest corner to 2 at its nearest. An empty band is cleared by writing zero bytes.
constexpr float NoSurface = 0;

using TMatrix = std::array<std::array<double, 3>, 3>;

TMatrix Multiply(const TMatrix& A, const TMatrix& B) {
    TMatrix Product{};
    for (int R = 0; R < 3; ++R)
        for (int C = 0; C < 3; ++C)
            for (int K = 0; K < 3; ++K) Product[R][C] += A[R][K] * B[K][C];
    return Product;
}

// Rz · Ry · Rx: the model turns about X first.
TMatrix Rotation(const TModelView& View) {
    const auto Radians = [](double Degrees) { return Degrees * std::numbers::pi / 180; };
    const double A = Radians(View.RotateX), B = Radians(View.RotateY), C = Radians(View.RotateZ);
    const TMatrix Rx{{{1, 0, 0}, {0, std::cos(A), -std::sin(A)}, {0, std::sin(A), std::cos(A)}}};
    const TMatrix Ry{{{std::cos(B), 0, std::sin(B)}, {0, 1, 0}, {-std::sin(B), 0, std::cos(B)}}};
    const TMatrix Rz{{{std::cos(C), -std::sin(C), 0}, {std::sin(C), std::cos(C), 0}, {0, 0, 1}}};
    return Multiply(Rz, Multiply(Ry, Rx));
}

bool IsFinite(const TVertex& V) { return std::isfinite(V.X) && std::isfinite(V.Y) && std::isfinite(V.Z); }

// A corner on the sample grid in fixed point, and its nearness Q, 1 … 2. Q varies linearly
// across the picture: it is an affine function of z for the orthographic camera, and of
// 1 / distance for the perspective one.
struct TScreenVertex {
    std::int32_t X, Y;
    float Q;
};

// Runs Work(0) … Work(Parts − 1) at once, Work(0) on the calling thread; the others are
// joined before this returns, also when Work(0) throws.
template <typename TWork>
void InParts(int Parts, const TWork& Work) {
    std::vector<std::jthread> Helpers;
    for (int Part = 1; Part < Parts; ++Part) Helpers.emplace_back(Work, Part);
    Work(0);
}

// How many of Threads share Count items of which each thread should get at least Least.
int PartsFor(std::size_t Count, std::size_t Least, int Threads) { return int(std::clamp<std::size_t>(Count / Least, 1, std::size_t(Threads))); }

// Items [First, Last) of Count shared out among Parts.
struct TRange {
    std::size_t First, Last;
};
TRange PartOf(std::size_t Count, int Part, int Parts) { return {Count * std::size_t(Part) / std::size_t(Parts), Count * std::size_t(Part + 1) / std::size_t(Parts)}; }

// Memory every element of which is written before it is read, kept from drawing to drawing:
// it grows, uninitialised, when more is asked for than it has. Filling it first would touch
// every fresh page once more, on one thread, for nothing.
template <typename T>
class TScratch {
public:
    T* Ensure(std::size_t Count) {
        if (Count > FCapacity) {
            FItems = std::make_unique_for_overwrite<T[]>(Count);
            FCapacity = Count;
        }
        return FItems.get();
    }
    T& operator[](std::size_t I) { return FItems[I]; }
    const T& operator[](std::size_t I) const { return FItems[I]; }
    const T* data() const { return FItems.get(); }

private:
    std::unique_ptr<T[]> FItems;
    std::size_t FCapacity = 0;
};

struct TScene {
    int Threads = 1;  // the threads a drawing may use at most
    TScratch<TScreenVertex> Vertices;  // one per mesh vertex, set for the corners of drawable triangles
    std::vector<std::uint8_t> Drawable;    // one per mesh triangle
    int SampleWidth = 0, SampleHeight = 0;
    bool Perspective = false;
    // Perspective: the camera's inverse distances for Q = 1 and the change per unit of Q.
    float InverseFar = 1, InverseSpan = 0;

    // The distance of a sample of nearness Q in any unit that is linear in the distance.
    float Distance(float Q) const { return Perspective ? 1 / (InverseFar + (Q - 1) * InverseSpan) : 2 - Q; }
};

struct TPoint {
    double X, Y, Z;
};

struct TBox {
    TPoint Low{HUGE_VAL, HUGE_VAL, HUGE_VAL}, High{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    void Add(const TPoint& P) {
        Low = {std::min(Low.X, P.X), std::min(Low.Y, P.Y), std::min(Low.Z, P.Z)};
        High = {std::max(High.X, P.X), std::max(High.Y, P.Y), std::max(High.Z, P.Z)};
    }
};

// Per part of the work: the box around what it saw, and more.
struct TPartBox {
    TBox Box;
    double Largest = 0;  // the largest squared distance from the centre
    bool Any = false;
};

TBox Join(const std::vector<TPartBox>& Parts) {
    TBox All;
    for (const TPartBox& Part : Parts) {
        const TBox& B = Part.Box;
        All.Low = {std::min(All.Low.X, B.Low.X), std::min(All.Low.Y, B.Low.Y), std::min(All.Low.Z, B.Low.Z)};
        All.High = {std::max(All.High.X, B.High.X), std::max(All.High.Y, B.High.Y), std::max(All.High.Z, B.High.Z)};
    }
    return All;
}

// Marks the drawable triangles in Scene and their corners in Used; answers the box around
// those corners, or nothing when no triangle is drawable.
std::optional<TBox> FindDrawable(const TMesh& Mesh, TScene& Scene, std::vector<std::uint8_t>& Used) {
    Scene.Drawable.assign(Mesh.Triangles.size(), 0);
    const int Parts = PartsFor(Mesh.Triangles.size(), MinItemsPerThread, Scene.Threads);
    std::vector<TPartBox> Found(static_cast<std::size_t>(Parts));
    // Corners shared by triangles of both parts are marked by both: the marks are atomic.
    InParts(Parts, [&](int Part) {
        const TRange Range = PartOf(Mesh.Triangles.size(), Part, Parts);
        for (std::size_t T = Range.First; T < Range.Last; ++T) {
            const auto& Corners = Mesh.Triangles[T];
            if (!std::all_of(Corners.begin(), Corners.end(), [&](std::uint32_t I) { return I < Used.size() && IsFinite(Mesh.Vertices[I]); }))
                continue;
            Scene.Drawable[T] = 1;
            Found[std::size_t(Part)].Any = true;
            for (const std::uint32_t I : Corners) {
                std::atomic_ref<std::uint8_t> Mark(Used[I]);
                if (Mark.load(std::memory_order_relaxed) == 0) Mark.store(1, std::memory_order_relaxed);
            }
        }
    });
    if (std::none_of(Found.begin(), Found.end(), [](const TPartBox& Part) { return Part.Any; })) return std::nullopt;
    const int VertexParts = PartsFor(Used.size(), MinItemsPerThread, Scene.Threads);
    std::vector<TPartBox> Boxes(static_cast<std::size_t>(VertexParts));
    InParts(VertexParts, [&](int Part) {
        const TRange Range = PartOf(Used.size(), Part, VertexParts);
        TBox& Box = Boxes[std::size_t(Part)].Box;
        for (std::size_t I = Range.First; I < Range.Last; ++I) {
            if (!Used[I]) continue;
            const TVertex& V = Mesh.Vertices[I];
            Box.Add({double(V.X), double(V.Y), double(V.Z)});
        }
    });
    return Join(Boxes);
}

// Runs Work(First, Last, Part) over the corners, shared out among threads; answers each
// part's result.
template <typename TWork>
std::vector<TPartBox> OverCorners(std::size_t Count, int Threads, const TWork& Work) {
    const int Parts = PartsFor(Count, MinItemsPerThread, Threads);
    std::vector<TPartBox> Results(static_cast<std::size_t>(Parts));
    InParts(Parts, [&](int Part) {
        const TRange Range = PartOf(Count, Part, Parts);
        Work(Range.First, Range.Last, Results[std::size_t(Part)]);
    });
    return Results;
}

// The radius of the bounding sphere: the largest hypot of the corners. Only corners whose
// squared distance comes within 1e-9 of the largest one can hold it, since the rounding of
// both measures is far below that; hypot is slow, the squares are not.
double BoundingRadius(const std::vector<std::uint8_t>& Used, const TPoint* Points, const std::vector<TPartBox>& Turned, int Threads) {
    double Largest = 0;
    for (const TPartBox& Part : Turned) Largest = std::max(Largest, Part.Largest);
    const double Threshold = Largest * (1 - 1e-9);
    const auto Radii = OverCorners(Used.size(), Threads, [&](std::size_t First, std::size_t Last, TPartBox& Result) {
        for (std::size_t I = First; I < Last; ++I) {
            const TPoint& P = Points[I];
            if (Used[I] && P.X * P.X + P.Y * P.Y + P.Z * P.Z >= Threshold) Result.Largest = std::max(Result.Largest, std::hypot(P.X, P.Y, P.Z));
        }
    });
    double Radius = 0;
    for (const TPartBox& Part : Radii) Radius = std::max(Radius, Part.Largest);
    return Radius;
}

// The used corners turned about the centre and projected: X to the right and Y down the
// picture in any unit, Z the nearness before scaling to 1 … 2. Coordinates are taken in
// radii of the bounding sphere, so that no model is too large or too small for the
// arithmetic. Answers the box around them, or nothing for a model without extent.
std::optional<TBox> ViewCorners(const TMesh& Mesh, const std::vector<std::uint8_t>& Used, const TBox& Box, const TModelView& View, int Threads,
                                TPoint* Points) {
    const TMatrix R = Rotation(View);
    const TPoint Centre{(Box.Low.X + Box.High.X) / 2, (Box.Low.Y + Box.High.Y) / 2, (Box.Low.Z + Box.High.Z) / 2};
    const auto Turned = OverCorners(Used.size(), Threads, [&](std::size_t First, std::size_t Last, TPartBox& Result) {
        for (std::size_t I = First; I < Last; ++I) {
            if (!Used[I]) continue;
            const TVertex& V = Mesh.Vertices[I];
            const double D[3] = {double(V.X) - Centre.X, double(V.Y) - Centre.Y, double(V.Z) - Centre.Z};
            TPoint& P = Points[I];
            P = {R[0][0] * D[0] + R[0][1] * D[1] + R[0][2] * D[2], R[1][0] * D[0] + R[1][1] * D[1] + R[1][2] * D[2],
                 R[2][0] * D[0] + R[2][1] * D[1] + R[2][2] * D[2]};
            Result.Largest = std::max(Result.Largest, P.X * P.X + P.Y * P.Y + P.Z * P.Z);
        }
    });
    const double Radius = BoundingRadius(Used, Points, Turned, Threads);
    if (Radius == 0) return std::nullopt;
    const bool Perspective = View.Projection == TProjection::Perspective;
    return Join(OverCorners(Used.size(), Threads, [&](std::size_t First, std::size_t Last, TPartBox& Result) {
        for (std::size_t I = First; I < Last; ++I) {
            if (!Used[I]) continue;
            const TPoint P{Points[I].X / Radius, Points[I].Y / Radius, Points[I].Z / Radius};
            // The camera stays outside the bounding sphere: every distance is positive.
            const double Distance = CameraDistanceInRadii - P.Z;
            Points[I] = Perspective ? TPoint{P.X / Distance, -P.Y / Distance, 1 / Distance} : TPoint{P.X, -P.Y, P.Z};
            Result.Box.Add(Points[I]);
        }
    }));
}

// std::lround of a value far inside the 64-bit range, without the library's call: the
// truncation and the rest are exact, the rest decides, halves away from zero.
std::int64_t Rounded(double V) {
    const auto Whole = std::int64_t(V);
    const double Rest = V - double(Whole);
    return Whole + (Rest >= 0.5) - (Rest <= -0.5);
}

// Turns, projects and frames the mesh onto the sample grid. False when nothing is left to
// draw, or the model has no extent on the picture.
bool Project(const TMesh& Mesh, int Width, int Height, const TModelView& View, TScene& Scene, std::vector<std::uint8_t>& Used,
             TScratch<TPoint>& Points) {
    Used.assign(Mesh.Vertices.size(), 0);
    const std::optional<TBox> ModelBox = FindDrawable(Mesh, Scene, Used);
    if (!ModelBox) return false;
    // Set and read for the used corners only.
    const std::optional<TBox> Seen = ViewCorners(Mesh, Used, *ModelBox, View, Scene.Threads, Points.Ensure(Mesh.Vertices.size()));
    if (!Seen) return false;
    const TBox& Box = *Seen;

    const double Margin = DepthMargin(Width, Height);
    const double RoomX = std::max(1.0, Width - 2 * Margin), RoomY = std::max(1.0, Height - 2 * Margin);
    double Scale = HUGE_VAL;
    if (Box.High.X > Box.Low.X) Scale = RoomX / (Box.High.X - Box.Low.X);
    if (Box.High.Y > Box.Low.Y) Scale = std::min(Scale, RoomY / (Box.High.Y - Box.Low.Y));
    if (Scale == HUGE_VAL) return false;

    Scene.SampleWidth = Width * Samples;
    Scene.SampleHeight = Height * Samples;
    Scene.Perspective = View.Projection == TProjection::Perspective;
    Scene.InverseFar = float(Box.Low.Z);
    Scene.InverseSpan = float(Box.High.Z - Box.Low.Z);
    const double QScale = Box.High.Z > Box.Low.Z ? 1 / (Box.High.Z - Box.Low.Z) : 0;
    const double Fixed = double(Samples * FixedOne);
    const double Limit = double(std::max(Scene.SampleWidth, Scene.SampleHeight) + 1) * double(FixedOne);
    const auto OnGrid = [&](double V, double Low, double High, int Side) {
        return std::int32_t(Rounded(std::clamp((Side / 2.0 + Scale * (V - (Low + High) / 2)) * Fixed, -Limit, Limit)));
    };
    Scene.Vertices.Ensure(Used.size());
    OverCorners(Used.size(), Scene.Threads, [&](std::size_t First, std::size_t Last, TPartBox&) {
        for (std::size_t I = First; I < Last; ++I) {
            if (!Used[I]) continue;
            const TPoint& P = Points[I];
            Scene.Vertices[I] = {OnGrid(P.X, Box.Low.X, Box.High.X, Width), OnGrid(P.Y, Box.Low.Y, Box.High.Y, Height), float(1 + (P.Z - Box.Low.Z) * QScale)};
        }
    });
    return true;
}

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

// First and last sample index whose centre lies in [Low, High] (fixed point).
std::int64_t FirstSample(std::int64_t Low) { return Low - FixedHalf <= 0 ? 0 : (Low - FixedHalf + FixedOne - 1) / FixedOne; }
std::int64_t LastSample(std::int64_t High) { return High < FixedHalf ? -1 : (High - FixedHalf) / FixedOne; }

// One edge's function E(p) = A·(x − x0) + B·(y − y0) from its first corner, positive
// inside. A sample exactly on an edge belongs to the triangle on the edge's right, or
// below it when the edge is horizontal; the neighbour across the edge never takes it too.
struct TEdge {
    std::int64_t A, B;
    std::int64_t Value(std::int64_t X, std::int64_t Y, const TScreenVertex& From) const { return A * (X - From.X) + B * (Y - From.Y); }
    std::int64_t Bias() const { return (A > 0 || (A == 0 && B > 0)) ? 0 : -1; }
};

TEdge EdgeOf(const TScreenVertex& From, const TScreenVertex& To) { return {std::int64_t(From.Y) - To.Y, std::int64_t(To.X) - From.X}; }

using TLanes = std::int32_t __attribute__((vector_size(16)));
using TFloatLanes = float __attribute__((vector_size(16)));
constexpr int Lanes = 4;
static_assert(Samples % Lanes == 0, "a row of samples is a whole number of groups");

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

// The samples of the picture that a triangle's corners span, and the nearness of its
// nearest corner: found once while listing, read in every band the triangle reaches.
struct TTriangleBox {
    std::int32_t X0, X1, Y0, Y1;
    float NearestQ;
};

TTriangleBox BoxOf(const TScreenVertex& V0, const TScreenVertex& V1, const TScreenVertex& V2, const TScene& Scene) {
    return {std::int32_t(FirstSample(std::min({V0.X, V1.X, V2.X}))),
            std::int32_t(std::min<std::int64_t>(LastSample(std::max({V0.X, V1.X, V2.X})), Scene.SampleWidth - 1)),
            std::int32_t(FirstSample(std::min({V0.Y, V1.Y, V2.Y}))),
            std::int32_t(std::min<std::int64_t>(LastSample(std::max({V0.Y, V1.Y, V2.Y})), Scene.SampleHeight - 1)), std::max({V0.Q, V1.Q, V2.Q})};
}

// The samples within a band that a triangle's corners span.
struct TSampleBox {
    std::int64_t X0, X1, Y0, Y1;
    bool Empty() const { return X0 > X1 || Y0 > Y1; }
};

TSampleBox BoxInBand(const TTriangleBox& Box, int BandTop) {
    return {Box.X0, Box.X1, std::max(Box.Y0, BandTop), std::min(Box.Y1, BandTop + BandSampleRows - 1)};
}

// Draws one triangle into the band's depth buffer, nearer samples winning. Box is the
// triangle's BoxInBand, not empty.
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

// The nearness of the nearest and the farthest visible sample.
struct TNearness {
    float NearestQ = 0, FarthestQ = 3;

    void Join(const TNearness& Other) {
        NearestQ = std::max(NearestQ, Other.NearestQ);
        FarthestQ = std::min(FarthestQ, Other.FarthestQ);
    }
};

// Per pixel: how many of its samples show the model, and the sum of their distances; over
// the picture: the nearness of the nearest and the farthest visible sample.
struct TCoverage {
    std::vector<std::uint8_t> Count;
    std::vector<float> DistanceSum;
};

// Four samples side by side as four lanes of one sample each: lane k of the result J
// holds sample J of the group Groups[k].
void Transpose(const TFloatLanes (&Groups)[Lanes], TFloatLanes (&Across)[Lanes]) {
    const TFloatLanes Low01 = __builtin_shufflevector(Groups[0], Groups[1], 0, 4, 1, 5), High01 = __builtin_shufflevector(Groups[0], Groups[1], 2, 6, 3, 7);
    const TFloatLanes Low23 = __builtin_shufflevector(Groups[2], Groups[3], 0, 4, 1, 5), High23 = __builtin_shufflevector(Groups[2], Groups[3], 2, 6, 3, 7);
    Across[0] = __builtin_shufflevector(Low01, Low23, 0, 1, 4, 5);
    Across[1] = __builtin_shufflevector(Low01, Low23, 2, 3, 6, 7);
    Across[2] = __builtin_shufflevector(High01, High23, 0, 1, 4, 5);
    Across[3] = __builtin_shufflevector(High01, High23, 2, 3, 6, 7);
}

// The nearness of the nearest and the farthest visible sample in each lane.
struct TNearnessLanes {
    TFloatLanes NearestQ, FarthestQ;

    explicit TNearnessLanes(const TNearness& Seen) : NearestQ(TFloatLanes{} + Seen.NearestQ), FarthestQ(TFloatLanes{} + Seen.FarthestQ) {}
    void JoinInto(TNearness& Seen) const {
        for (int K = 0; K < Lanes; ++K) Seen.Join({NearestQ[K], FarthestQ[K]});
    }
};

// Four neighbouring pixels at once, one per lane: each lane takes its pixel's samples in
// the same order as a single pixel does, so the sums round alike. Pixels without a
// sample keep their zero count and sum.
template <bool Perspective>
void ResolvePixels(const float* Depth, const TScene& Scene, std::size_t Pixel, TCoverage& Coverage, TNearnessLanes& Seen) {
    static_assert(Samples == Lanes);
    TFloatLanes Rows[Samples][Lanes];
    TLanes Any{};
    for (int SY = 0; SY < Samples; ++SY) {
        std::memcpy(&Rows[SY], Depth + std::size_t(SY) * std::size_t(Scene.SampleWidth), sizeof Rows[SY]);
        for (const TFloatLanes& Group : Rows[SY]) Any |= Group != NoSurface;
    }
    if (!(Any[0] | Any[1] | Any[2] | Any[3])) return;
    TLanes Count{};
    TFloatLanes Sum{};
    for (int SY = 0; SY < Samples; ++SY) {
        TFloatLanes Q[Lanes];
        Transpose(Rows[SY], Q);
        for (int SX = 0; SX < Samples; ++SX) {
            const TLanes Covered = Q[SX] != NoSurface;
            Count -= Covered;
            Seen.NearestQ = Seen.NearestQ < Q[SX] ? Q[SX] : Seen.NearestQ;
            Seen.FarthestQ = Covered && Q[SX] < Seen.FarthestQ ? Q[SX] : Seen.FarthestQ;
            if constexpr (Perspective) Sum += Covered ? 1.0f / (Scene.InverseFar + (Q[SX] - 1.0f) * Scene.InverseSpan) : TFloatLanes{};
            else Sum += Q[SX];
        }
    }
    if constexpr (!Perspective) Sum = 2.0f * __builtin_convertvector(Count, TFloatLanes) - Sum;
    for (int K = 0; K < Lanes; ++K) {
        Coverage.Count[Pixel + std::size_t(K)] = std::uint8_t(Count[K]);
        Coverage.DistanceSum[Pixel + std::size_t(K)] = Sum[K];
    }
}

// Sample columns First … End − 1 of a band, First and End on a group of four pixels (or
// End at the band's end).
struct TColumns {
    int First = 0, End = 0;
};

// Sample columns First … Last, which the band's triangles reach, widened to groups of four
// pixels.
TColumns ColumnsReached(std::int32_t First, std::int32_t Last, const TScene& Scene) {
    constexpr int Group = Lanes * Samples;
    if (First > Last) return {};
    return {int(First / Group * Group), int(std::min<std::int64_t>(Scene.SampleWidth, (Last / Group + 1) * Group))};
}

// Pixels outside the columns drawn have no sample; they keep their zero count and sum. Each
// row of samples is cleared once resolved, while it is still in the cache.
template <bool Perspective>
void ResolveBand(float* Depth, int BandTop, const TScene& Scene, int Width, const TColumns& Drawn, TCoverage& Coverage, TNearness& Seen) {
    const int Rows = std::min(BandSampleRows, Scene.SampleHeight - BandTop) / Samples;
    for (int PixelRow = 0; PixelRow < Rows; ++PixelRow) {
        const std::size_t Pixel0 = std::size_t(BandTop / Samples + PixelRow) * std::size_t(Width);
        const int First = Drawn.First / Samples, End = Drawn.End / Samples;
        const int Grouped = std::min(End, Width / Lanes * Lanes);
        TNearnessLanes SeenInLanes(Seen);
        for (int PixelX = First; PixelX < Grouped; PixelX += Lanes)
            ResolvePixels<Perspective>(Depth + std::size_t(PixelRow * Samples) * std::size_t(Scene.SampleWidth) + std::size_t(PixelX * Samples), Scene,
                                       Pixel0 + std::size_t(PixelX), Coverage, SeenInLanes);
        SeenInLanes.JoinInto(Seen);
        for (int PixelX = std::max(First, Grouped); PixelX < End; ++PixelX) {
            int Count = 0;
            float Sum = 0, Nearest = Seen.NearestQ, Farthest = Seen.FarthestQ;
            for (int SY = 0; SY < Samples; ++SY) {
                const float* Sample = Depth + std::size_t(PixelRow * Samples + SY) * std::size_t(Scene.SampleWidth) + std::size_t(PixelX * Samples);
                for (int SX = 0; SX < Samples; ++SX) {
                    const float Q = Sample[SX];
                    const bool Covered = Q != NoSurface;
                    Count += Covered;
                    Nearest = std::max(Nearest, Q);
                    Farthest = std::min(Farthest, Covered ? Q : Farthest);
                    if constexpr (Perspective) Sum += Covered ? Scene.Distance(Q) : 0.0f;
                    else Sum += Q;
                }
            }
            // Orthographic: the distance 2 − Q of each covered sample, summed at once.
            if constexpr (!Perspective) Sum = 2.0f * float(Count) - Sum;
            Coverage.Count[Pixel0 + std::size_t(PixelX)] = std::uint8_t(Count);
            Coverage.DistanceSum[Pixel0 + std::size_t(PixelX)] = Sum;
            Seen.NearestQ = Nearest, Seen.FarthestQ = Farthest;
        }
        for (int SY = 0; SY < Samples; ++SY) {
            float* Line = Depth + std::size_t(PixelRow * Samples + SY) * std::size_t(Scene.SampleWidth);
            std::fill(Line + Drawn.First, Line + Drawn.End, NoSurface);
        }
    }
}

// Levels of Pixels from the per-pixel sums: the level is linear in the distance, so a pixel's mean
// level follows from its sample count and distance sum.
void Shade(const TCoverage& Coverage, const TNearness& Seen, const TScene& Scene, TRange Pixels, TGreyPlane& Plane) {
    const double Nearest = double(Scene.Distance(Seen.NearestQ)), Span = double(Scene.Distance(Seen.FarthestQ)) - Nearest;
    const double Fall = Span > 0 ? (NearestDepthLevel - FarthestDepthLevel) / Span : 0;
    for (std::size_t I = Pixels.First; I < Pixels.Last; ++I) {
        const int Count = Coverage.Count[I];
        if (Count == 0) continue;
        const double Beyond = double(Coverage.DistanceSum[I]) - Count * Nearest;
        const double Level = (Count * double(NearestDepthLevel) - Fall * Beyond) / SamplesPerPixel;
        // Clamped first, so that the rounding stays far inside its range.
        Plane.Levels[I] = std::uint8_t(std::clamp<std::int64_t>(Rounded(std::clamp(Level, -1.0, 256.0)), 0, 255));
    }
}

// What a band's triangles have in common: the sum of their first corners' nearness per
// group (turned towards the viewer, turned away) and the sample columns their boxes span.
struct TBandSummary {
    double Nearness[2] = {0, 0};
    std::int32_t Left = std::numeric_limits<std::int32_t>::max(), Right = std::numeric_limits<std::int32_t>::min();

    void Join(const TBandSummary& Other) {
        for (int G = 0; G < 2; ++G) Nearness[G] += Other.Nearness[G];
        Left = std::min(Left, Other.Left), Right = std::max(Right, Other.Right);
    }
};

// The drawable triangles by band and group: Triangles[Start[2 · B + G] …] are those of
// group G (0 turned towards the viewer, 1 turned away) reaching band B, each listed in
// every band it reaches. Triangles outside every sample are left out. The rest is the
// listing's own work: each triangle's reach, and the counts and summaries of each part.
struct TBandLists {
    TScratch<std::uint32_t> Triangles;
    TScratch<TTriangleBox> Boxes;  // one per mesh triangle, set for the listed ones
    std::vector<std::uint32_t> Start;
    std::vector<TBandSummary> Summary;  // one per band
    TScratch<std::uint32_t> Reach;
    std::vector<std::vector<std::uint32_t>> Counts;
    std::vector<std::vector<TBandSummary>> Summaries;
};

constexpr std::uint32_t Unseen = ~std::uint32_t(0);
constexpr std::uint32_t AwayBit = std::uint32_t(1) << 15;

// A triangle's first and last band and its group as First << 16 | Group << 15 | Last, or
// Unseen when it reaches no sample (bands are fewer than 2^15).
std::uint32_t BandsOf(const TScreenVertex& A, const TScreenVertex& B, const TScreenVertex& D, const TTriangleBox& Box) {
    if (Box.Y0 > Box.Y1 || Box.X0 > Box.X1) return Unseen;
    const bool Away = (std::int64_t(B.X) - A.X) * (std::int64_t(D.Y) - A.Y) < (std::int64_t(B.Y) - A.Y) * (std::int64_t(D.X) - A.X);
    return std::uint32_t(Box.Y0 / BandSampleRows) << 16 | (Away ? AwayBit : 0) | std::uint32_t(Box.Y1 / BandSampleRows);
}

// Counts per band, group and part, then each part places its triangles after those of the
// parts before it.
void ListByBand(const TMesh& Mesh, const TScene& Scene, int Bands, TBandLists& Lists) {
    const std::size_t Count = Mesh.Triangles.size(), Cells = 2 * std::size_t(Bands);
    const int Parts = PartsFor(Count, MinItemsPerThread, Scene.Threads);
    Lists.Reach.Ensure(Count);
    Lists.Boxes.Ensure(Count);
    Lists.Counts.resize(std::size_t(Parts));
    Lists.Summaries.resize(std::size_t(Parts));
    for (int Part = 0; Part < Parts; ++Part) {
        Lists.Counts[std::size_t(Part)].assign(Cells, 0);
        Lists.Summaries[std::size_t(Part)].assign(std::size_t(Bands), {});
    }
    InParts(Parts, [&](int Part) {
        const TRange Range = PartOf(Count, Part, Parts);
        std::vector<std::uint32_t>& Mine = Lists.Counts[std::size_t(Part)];
        std::vector<TBandSummary>& Summary = Lists.Summaries[std::size_t(Part)];
        for (std::size_t T = Range.First; T < Range.Last; ++T) {
            Lists.Reach[T] = Unseen;
            if (!Scene.Drawable[T]) continue;
            const auto& C = Mesh.Triangles[T];
            const TScreenVertex &A = Scene.Vertices[C[0]], &B = Scene.Vertices[C[1]], &D = Scene.Vertices[C[2]];
            const TTriangleBox& Box = Lists.Boxes[T] = BoxOf(A, B, D, Scene);
            const std::uint32_t R = Lists.Reach[T] = BandsOf(A, B, D, Box);
            if (R == Unseen) continue;
            const std::size_t Group = (R & AwayBit) != 0;
            for (std::uint32_t Band = R >> 16; Band <= (R & (AwayBit - 1)); ++Band) {
                ++Mine[2 * Band + Group];
                TBandSummary& S = Summary[Band];
                S.Nearness[Group] += double(A.Q);
                S.Left = std::min(S.Left, Box.X0), S.Right = std::max(S.Right, Box.X1);
            }
        }
    });
    Lists.Start.resize(Cells + 1);
    Lists.Summary.assign(std::size_t(Bands), {});
    std::uint32_t Total = 0;
    for (std::size_t Cell = 0; Cell < Cells; ++Cell) {
        Lists.Start[Cell] = Total;
        for (int Part = 0; Part < Parts; ++Part) Total += std::exchange(Lists.Counts[std::size_t(Part)][Cell], Total);
    }
    Lists.Start[Cells] = Total;
    for (int Part = 0; Part < Parts; ++Part)
        for (std::size_t Band = 0; Band < std::size_t(Bands); ++Band) Lists.Summary[Band].Join(Lists.Summaries[std::size_t(Part)][Band]);
    Lists.Triangles.Ensure(Total);
    InParts(Parts, [&](int Part) {
        const TRange Range = PartOf(Count, Part, Parts);
        std::vector<std::uint32_t>& Next = Lists.Counts[std::size_t(Part)];
        for (std::size_t T = Range.First; T < Range.Last; ++T) {
            const std::uint32_t R = Lists.Reach[T];
            if (R == Unseen) continue;
            const std::size_t Group = (R & AwayBit) != 0;
            for (std::uint32_t Band = R >> 16; Band <= (R & (AwayBit - 1)); ++Band) Lists.Triangles[Next[2 * Band + Group]++] = std::uint32_t(T);
        }
    });
}

// Squares of a band's depth buffer and the farthest nearness drawn in each, NoSurface
// where a sample is empty: a triangle nearer nowhere than that is hidden.
struct TBlocks {
    std::vector<float> Farthest;
    int Columns = 0;
    std::vector<TFloatLanes> Least;  // per group of samples across a row of blocks: the least of its column
};

void FindFarthest(const float* Depth, int SampleWidth, const TColumns& Drawn, TBlocks& Blocks) {
    const int Groups = SampleWidth / Lanes;  // a band's width is a whole number of pixels
    Blocks.Columns = (SampleWidth + BlockSamples - 1) / BlockSamples;
    Blocks.Farthest.assign(std::size_t(Blocks.Columns) * (BandSampleRows / BlockSamples), NoSurface);
    Blocks.Least.resize(std::size_t(Groups));
    for (int Row = 0; Row < BandSampleRows / BlockSamples; ++Row) {
        for (int G = Drawn.First / Lanes; G < Drawn.End / Lanes; ++G) {
            const float* Sample = Depth + std::size_t(Row * BlockSamples) * std::size_t(SampleWidth) + std::size_t(G * Lanes);
            TFloatLanes Low;
            std::memcpy(&Low, Sample, sizeof Low);
            for (int Y = 1; Y < BlockSamples; ++Y) {
                TFloatLanes Next;
                std::memcpy(&Next, Sample + std::size_t(Y) * std::size_t(SampleWidth), sizeof Next);
                Low = Next < Low ? Next : Low;
            }
            Blocks.Least[std::size_t(G)] = Low;
        }
        float* Farthest = Blocks.Farthest.data() + std::size_t(Row) * std::size_t(Blocks.Columns);
        for (int G = Drawn.First / Lanes; G < Drawn.End / Lanes; ++G) {
            const TFloatLanes& Low = Blocks.Least[std::size_t(G)];
            const float Least = std::min({Low[0], Low[1], Low[2], Low[3]});
            float& Block = Farthest[G * Lanes / BlockSamples];
            Block = G * Lanes % BlockSamples == 0 ? Least : std::min(Block, Least);
        }
    }
}

// Whether every sample the triangle may cover already holds something nearer than all of
// its corners. The margin is far above the rounding of the nearness along a triangle.
bool Hidden(float NearestQ, const TSampleBox& Box, int BandTop, const TBlocks& Blocks) {
    constexpr float Margin = 1e-4f;
    const float Nearest = NearestQ + Margin;
    for (std::int64_t Y = (Box.Y0 - BandTop) / BlockSamples; Y <= (Box.Y1 - BandTop) / BlockSamples; ++Y)
        for (std::int64_t X = Box.X0 / BlockSamples; X <= Box.X1 / BlockSamples; ++X)
            if (!(Nearest < Blocks.Farthest[std::size_t(Y * Blocks.Columns + X)])) return false;
    return true;
}

// What a drawing thread keeps from band to band. Depth is clear between bands: each band
// clears what it drew as it is resolved.
struct TBandScratch {
    std::vector<float> Depth;
    TColumns Drawn;  // the columns the band's triangles reach
    TBlocks Blocks;
    bool Clear = true;  // false from the first band drawn until the last one is resolved

    // Ready for bands of Size samples: cleared when its size changes or a drawing broke off.
    void Prepare(std::size_t Size) {
        if (!Clear || Depth.size() != Size) Depth.assign(Size, NoSurface);
        Clear = false;
    }
};

// How many triangles of a band's list ahead their data is fetched, so that it is in the
// cache when their turn comes: the lists skip through the mesh.
constexpr std::size_t Ahead = 8;

void Prefetch(const TMesh& Mesh, const TScene& Scene, const TBandLists& Lists, std::uint32_t T) {
    __builtin_prefetch(&Lists.Boxes[T]);
    for (const std::uint32_t Corner : Mesh.Triangles[T]) __builtin_prefetch(&Scene.Vertices[Corner]);
}

// Draws one band into Scratch.Depth, which the band before left clear. Triangles
// turned towards the viewer and those turned away are drawn apart, the nearer group first,
// so that most of the other group can be passed over as hidden.
void DrawBand(const TMesh& Mesh, const TScene& Scene, const TBandLists& Lists, int Band, TBandScratch& Scratch) {
    const int BandTop = Band * BandSampleRows;
    const TBandSummary& Summary = Lists.Summary[std::size_t(Band)];
    Scratch.Drawn = ColumnsReached(Summary.Left, Summary.Right, Scene);
    const auto Group = [&](int G) {
        const std::size_t Cell = 2 * std::size_t(Band) + std::size_t(G);
        return std::span<const std::uint32_t>(Lists.Triangles.data() + Lists.Start[Cell], Lists.Triangles.data() + Lists.Start[Cell + 1]);
    };
    const auto Mean = [&](int G) { return Summary.Nearness[G] / double(std::max<std::size_t>(1, Group(G).size())); };
    const int Front = Mean(1) > Mean(0) ? 1 : 0;
    const auto Corners = [&](std::uint32_t T) {
        const auto& C = Mesh.Triangles[T];
        return std::array<const TScreenVertex*, 3>{&Scene.Vertices[C[0]], &Scene.Vertices[C[1]], &Scene.Vertices[C[2]]};
    };
    const std::span<const std::uint32_t> Fronts = Group(Front);
    for (std::size_t I = 0; I < Fronts.size(); ++I) {
        if (I + Ahead < Fronts.size()) Prefetch(Mesh, Scene, Lists, Fronts[I + Ahead]);
        const std::uint32_t T = Fronts[I];
        const TSampleBox Box = BoxInBand(Lists.Boxes[T], BandTop);
        if (Box.Empty()) continue;
        const auto V = Corners(T);
        DrawTriangle(*V[0], *V[1], *V[2], Box, Scene, BandTop, Scratch.Depth.data());
    }
    if (Group(1 - Front).empty()) return;
    FindFarthest(Scratch.Depth.data(), Scene.SampleWidth, Scratch.Drawn, Scratch.Blocks);
    const std::span<const std::uint32_t> Backs = Group(1 - Front);
    for (std::size_t I = 0; I < Backs.size(); ++I) {
        if (I + Ahead < Backs.size()) __builtin_prefetch(&Lists.Boxes[Backs[I + Ahead]]);
        const std::uint32_t T = Backs[I];
        const TSampleBox Box = BoxInBand(Lists.Boxes[T], BandTop);
        if (Box.Empty() || Hidden(Lists.Boxes[T].NearestQ, Box, BandTop, Scratch.Blocks)) continue;
        const auto V = Corners(T);
        DrawTriangle(*V[0], *V[1], *V[2], Box, Scene, BandTop, Scratch.Depth.data());
    }
}

// Draws the bands that no other thread has taken yet, one at a time, into their rows of
// Coverage, and what they show into Seen.
void DrawBands(const TMesh& Mesh, const TScene& Scene, const TBandLists& Lists, int Width, std::atomic<int>& NextBand, TCoverage& Coverage,
               TNearness& Seen, TBandScratch& Scratch) {
    const int Bands = int(Lists.Summary.size());
    Scratch.Prepare(std::size_t(Scene.SampleWidth) * BandSampleRows + BandPadding);
    for (int Band = NextBand++; Band < Bands; Band = NextBand++) {
        const int BandTop = Band * BandSampleRows;
        DrawBand(Mesh, Scene, Lists, Band, Scratch);
        if (Scene.Perspective) ResolveBand<true>(Scratch.Depth.data(), BandTop, Scene, Width, Scratch.Drawn, Coverage, Seen);
        else ResolveBand<false>(Scratch.Depth.data(), BandTop, Scene, Width, Scratch.Drawn, Coverage, Seen);
    }
    Scratch.Clear = true;
}

}  // namespace

// Everything a drawing needs besides its picture. Sized for the largest picture and mesh
// drawn so far, so that the next drawing of the same model writes into memory it already
// has: fresh pages cost far more than the drawing of a small model.
struct TMeshRasterizer::TWorkspace {
    TScene Scene;
    std::vector<std::uint8_t> Used;
    TScratch<TPoint> Points;
    TBandLists Lists;
    TCoverage Coverage;
    std::vector<TBandScratch> Scratch;  // one per drawing thread
};

TMeshRasterizer::TMeshRasterizer(int Threads)
    : FWork(std::make_unique<TWorkspace>()), FThreads(Threads > 0 ? Threads : int(std::max(1u, std::thread::hardware_concurrency()))) {}
TMeshRasterizer::~TMeshRasterizer() = default;

// Bands share no sample and no pixel, a sample keeps the nearest of the triangles over it
// whatever their order, and the nearest and farthest nearness are a maximum and a minimum,
// so sharing the work out among threads gives the same picture.
TGreyPlane TMeshRasterizer::Render(const TMesh& Mesh, int Width, int Height, const TModelView& View) {
    TGreyPlane Plane(Width, Height);
    TWorkspace& W = *FWork;
    TScene& Scene = W.Scene;
    Scene.Threads = FThreads;
    if (!Project(Mesh, Width, Height, View, Scene, W.Used, W.Points)) return Plane;

    const int Bands = (Scene.SampleHeight + BandSampleRows - 1) / BandSampleRows;
    ListByBand(Mesh, Scene, Bands, W.Lists);
    TCoverage& Coverage = W.Coverage;
    Coverage.Count.assign(Plane.Levels.size(), 0);
    Coverage.DistanceSum.assign(Plane.Levels.size(), 0);
    const int Threads = PartsFor(std::size_t(Bands), MinBandsPerThread, Scene.Threads);
    if (W.Scratch.size() < std::size_t(Threads)) W.Scratch.resize(std::size_t(Threads));
    std::vector<TNearness> Seen(static_cast<std::size_t>(Threads));
    std::atomic<int> NextBand = 0;
    InParts(Threads, [&](int Part) {
        DrawBands(Mesh, Scene, W.Lists, Width, NextBand, Coverage, Seen[std::size_t(Part)], W.Scratch[std::size_t(Part)]);
    });
    TNearness All;
    for (const TNearness& Part : Seen) All.Join(Part);
    const int ShadeParts = PartsFor(Plane.Levels.size(), MinItemsPerThread, Scene.Threads);
    InParts(ShadeParts, [&](int Part) { Shade(Coverage, All, Scene, PartOf(Plane.Levels.size(), Part, ShadeParts), Plane); });
    return Plane;
}

TGreyPlane RenderMeshDepth(const TMesh& Mesh, int Width, int Height, const TModelView& View) { return TMeshRasterizer().Render(Mesh, Width, Height, View); }

TGreyPlane TMeshRasterizerPool::Render(const TMesh& Mesh, int Width, int Height, const TModelView& View) {
    std::unique_ptr<TMeshRasterizer> Borrowed;
    {
        const std::lock_guard Hold(FLock);
        if (!FIdle.empty()) {
            Borrowed = std::move(FIdle.back());
            FIdle.pop_back();
        }
    }
    if (!Borrowed) Borrowed = std::make_unique<TMeshRasterizer>(1);
    TGreyPlane Plane = Borrowed->Render(Mesh, Width, Height, View);
    const std::lock_guard Hold(FLock);
    FIdle.push_back(std::move(Borrowed));
    return Plane;
}
