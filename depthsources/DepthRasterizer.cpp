#include "DepthRasterizer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
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
constexpr int BandPixelRows = 16;
constexpr int BandSampleRows = BandPixelRows * Samples;
// A triangle at most this many samples wide is tested sample by sample: cheaper than
// finding each row's first and last sample by division, and it takes the same samples.
constexpr std::int64_t NarrowTriangleColumns = 16;
// Bands are shared out among threads when there are at least this many per thread.
constexpr int MinBandsPerThread = 4;
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
    std::int32_t X = 0, Y = 0;
    float Q = 0;
};

// A drawable triangle and the last band it reaches.
struct TBandEntry {
    std::uint32_t Triangle;
    int LastBand;
};

struct TScene {
    std::vector<TScreenVertex> Vertices;  // one per mesh vertex
    std::vector<std::uint32_t> Triangles;  // the drawable ones
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

// Lists the drawable triangles in Scene and marks their corners in Used; answers the box
// around those corners.
TBox FindDrawable(const TMesh& Mesh, TScene& Scene, std::vector<bool>& Used) {
    TBox Box;
    for (std::uint32_t T = 0; T < Mesh.Triangles.size(); ++T) {
        const auto& Corners = Mesh.Triangles[T];
        if (!std::all_of(Corners.begin(), Corners.end(), [&](std::uint32_t I) { return I < Used.size() && IsFinite(Mesh.Vertices[I]); }))
            continue;
        Scene.Triangles.push_back(T);
        for (const std::uint32_t I : Corners) {
            if (Used[I]) continue;
            Used[I] = true;
            const TVertex& V = Mesh.Vertices[I];
            Box.Add({double(V.X), double(V.Y), double(V.Z)});
        }
    }
    return Box;
}

// The used corners turned about the centre and projected: X to the right and Y down the
// picture in any unit, Z the nearness before scaling to 1 … 2. Coordinates are taken in
// radii of the bounding sphere, so that no model is too large or too small for the
// arithmetic. False for a model without extent.
bool ViewCorners(const TMesh& Mesh, const std::vector<bool>& Used, const TBox& Box, const TModelView& View, std::vector<TPoint>& Points) {
    const TMatrix R = Rotation(View);
    const TPoint Centre{(Box.Low.X + Box.High.X) / 2, (Box.Low.Y + Box.High.Y) / 2, (Box.Low.Z + Box.High.Z) / 2};
    double Radius = 0;
    for (std::size_t I = 0; I < Used.size(); ++I) {
        if (!Used[I]) continue;
        const TVertex& V = Mesh.Vertices[I];
        const double D[3] = {double(V.X) - Centre.X, double(V.Y) - Centre.Y, double(V.Z) - Centre.Z};
        TPoint& P = Points[I];
        P = {R[0][0] * D[0] + R[0][1] * D[1] + R[0][2] * D[2], R[1][0] * D[0] + R[1][1] * D[1] + R[1][2] * D[2],
             R[2][0] * D[0] + R[2][1] * D[1] + R[2][2] * D[2]};
        Radius = std::max(Radius, std::hypot(P.X, P.Y, P.Z));
    }
    if (Radius == 0) return false;
    for (std::size_t I = 0; I < Used.size(); ++I) {
        if (!Used[I]) continue;
        const TPoint P{Points[I].X / Radius, Points[I].Y / Radius, Points[I].Z / Radius};
        // The camera stays outside the bounding sphere: every distance is positive.
        const double Distance = CameraDistanceInRadii - P.Z;
        Points[I] = View.Projection == TProjection::Perspective ? TPoint{P.X / Distance, -P.Y / Distance, 1 / Distance} : TPoint{P.X, -P.Y, P.Z};
    }
    return true;
}

// Turns, projects and frames the mesh onto the sample grid. False when nothing is left to
// draw, or the model has no extent on the picture.
bool Project(const TMesh& Mesh, int Width, int Height, const TModelView& View, TScene& Scene) {
    std::vector<bool> Used(Mesh.Vertices.size());
    const TBox ModelBox = FindDrawable(Mesh, Scene, Used);
    std::vector<TPoint> Points(Mesh.Vertices.size());
    if (Scene.Triangles.empty() || !ViewCorners(Mesh, Used, ModelBox, View, Points)) return false;
    TBox Box;
    for (std::size_t I = 0; I < Used.size(); ++I)
        if (Used[I]) Box.Add(Points[I]);

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
        return std::int32_t(std::lround(std::clamp((Side / 2.0 + Scale * (V - (Low + High) / 2)) * Fixed, -Limit, Limit)));
    };
    Scene.Vertices.resize(Used.size());
    for (std::size_t I = 0; I < Used.size(); ++I) {
        if (!Used[I]) continue;
        const TPoint& P = Points[I];
        Scene.Vertices[I] = {OnGrid(P.X, Box.Low.X, Box.High.X, Width), OnGrid(P.Y, Box.Low.Y, Box.High.Y, Height), float(1 + (P.Z - Box.Low.Z) * QScale)};
    }
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

// Draws one triangle into the band's depth buffer, nearer samples winning.
void DrawTriangle(TScreenVertex V0, TScreenVertex V1, TScreenVertex V2, const TScene& Scene, int BandTop, float* Depth) {
    std::int64_t Area = (std::int64_t(V1.X) - V0.X) * (std::int64_t(V2.Y) - V0.Y) - (std::int64_t(V1.Y) - V0.Y) * (std::int64_t(V2.X) - V0.X);
    if (Area == 0) return;
    if (Area < 0) {
        std::swap(V1, V2);
        Area = -Area;
    }
    const std::int64_t X0 = FirstSample(std::min({V0.X, V1.X, V2.X})), X1 = std::min<std::int64_t>(LastSample(std::max({V0.X, V1.X, V2.X})), Scene.SampleWidth - 1);
    const std::int64_t Y0 = std::max<std::int64_t>(FirstSample(std::min({V0.Y, V1.Y, V2.Y})), BandTop);
    const std::int64_t Y1 = std::min<std::int64_t>({LastSample(std::max({V0.Y, V1.Y, V2.Y})), BandTop + BandSampleRows - 1, Scene.SampleHeight - 1});
    if (X0 > X1 || Y0 > Y1) return;

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
    if (Columns <= NarrowTriangleColumns) {
        for (std::int64_t Y = Y0; Y <= Y1; ++Y) {
            float* Line = Depth + (Y - BandTop) * Scene.SampleWidth + X0;
            const auto QStart = float(QRow);
            std::int64_t E0 = Row[0], E1 = Row[1], E2 = Row[2];
            for (std::int64_t K = 0; K < Columns; ++K) {
                // Inside all three edges: no value has its sign bit set. Chosen without a
                // branch, which would be mispredicted at every edge.
                const bool Inside = (E0 | E1 | E2) >= 0;
                const float Old = Line[K];
                Line[K] = Inside ? std::max(Old, QStart + float(K) * QStep) : Old;
                E0 += StepX[0], E1 += StepX[1], E2 += StepX[2];
            }
            Row[0] += StepY[0], Row[1] += StepY[1], Row[2] += StepY[2];
            QRow += QStepY;
        }
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

template <bool Perspective>
void ResolveBand(const float* Depth, int BandTop, const TScene& Scene, int Width, TCoverage& Coverage, TNearness& Seen) {
    const int Rows = std::min(BandSampleRows, Scene.SampleHeight - BandTop) / Samples;
    for (int PixelRow = 0; PixelRow < Rows; ++PixelRow) {
        const std::size_t Pixel0 = std::size_t(BandTop / Samples + PixelRow) * std::size_t(Width);
        for (int PixelX = 0; PixelX < Width; ++PixelX) {
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
    }
}

// Levels from the per-pixel sums: the level is linear in the distance, so a pixel's mean
// level follows from its sample count and distance sum.
void Shade(const TCoverage& Coverage, const TNearness& Seen, const TScene& Scene, TGreyPlane& Plane) {
    const double Nearest = double(Scene.Distance(Seen.NearestQ)), Span = double(Scene.Distance(Seen.FarthestQ)) - Nearest;
    const double Fall = Span > 0 ? (NearestDepthLevel - FarthestDepthLevel) / Span : 0;
    for (std::size_t I = 0; I < Plane.Levels.size(); ++I) {
        const int Count = Coverage.Count[I];
        if (Count == 0) continue;
        const double Beyond = double(Coverage.DistanceSum[I]) - Count * Nearest;
        const double Level = (Count * double(NearestDepthLevel) - Fall * Beyond) / SamplesPerPixel;
        Plane.Levels[I] = std::uint8_t(std::clamp(std::lround(Level), 0L, 255L));
    }
}

// The drawable triangles that reach at least one sample row, in the order of the first
// band they reach; Start[B] is where band B's triangles begin.
struct TBandOrder {
    std::vector<TBandEntry> Ordered;
    std::vector<std::uint32_t> Start;
};

TBandOrder OrderByBand(const TMesh& Mesh, const TScene& Scene, int Bands) {
    TBandOrder Order{{}, std::vector<std::uint32_t>(std::size_t(Bands) + 1)};
    std::vector<TBandEntry> Entries;
    std::vector<int> FirstBands;
    Entries.reserve(Scene.Triangles.size());
    FirstBands.reserve(Scene.Triangles.size());
    for (const std::uint32_t T : Scene.Triangles) {
        const auto& C = Mesh.Triangles[T];
        const TScreenVertex &A = Scene.Vertices[C[0]], &B = Scene.Vertices[C[1]], &D = Scene.Vertices[C[2]];
        const std::int64_t First = FirstSample(std::min({A.Y, B.Y, D.Y}));
        const std::int64_t Last = std::min<std::int64_t>(LastSample(std::max({A.Y, B.Y, D.Y})), Scene.SampleHeight - 1);
        if (First > Last) continue;
        Entries.push_back({T, int(Last / BandSampleRows)});
        FirstBands.push_back(int(First / BandSampleRows));
        ++Order.Start[std::size_t(FirstBands.back()) + 1];
    }
    for (int B = 0; B < Bands; ++B) Order.Start[std::size_t(B) + 1] += Order.Start[std::size_t(B)];
    Order.Ordered.resize(Entries.size());
    std::vector<std::uint32_t> Next(Order.Start.begin(), Order.Start.end() - 1);
    for (std::size_t I = 0; I < Entries.size(); ++I) Order.Ordered[Next[std::size_t(FirstBands[I])]++] = Entries[I];
    return Order;
}

// Draws bands First … Last − 1 into their rows of Coverage, and what they show into Seen.
void DrawBands(const TMesh& Mesh, const TScene& Scene, const TBandOrder& Order, int Width, int First, int Last,
               TCoverage& Coverage, TNearness& Seen) {
    std::vector<float> Depth(std::size_t(Scene.SampleWidth) * BandSampleRows);
    // The triangles reaching the current band: each joins at its first band, leaves after its last.
    std::vector<TBandEntry> Active;
    for (std::uint32_t I = 0; I < Order.Start[std::size_t(First)]; ++I)
        if (Order.Ordered[I].LastBand >= First) Active.push_back(Order.Ordered[I]);
    for (int Band = First; Band < Last; ++Band) {
        const int BandTop = Band * BandSampleRows;
        std::fill(Depth.begin(), Depth.end(), NoSurface);
        Active.insert(Active.end(), Order.Ordered.begin() + Order.Start[std::size_t(Band)], Order.Ordered.begin() + Order.Start[std::size_t(Band) + 1]);
        for (const TBandEntry& Entry : Active) {
            const auto& C = Mesh.Triangles[Entry.Triangle];
            DrawTriangle(Scene.Vertices[C[0]], Scene.Vertices[C[1]], Scene.Vertices[C[2]], Scene, BandTop, Depth.data());
        }
        std::erase_if(Active, [Band](const TBandEntry& Entry) { return Entry.LastBand <= Band; });
        if (Scene.Perspective) ResolveBand<true>(Depth.data(), BandTop, Scene, Width, Coverage, Seen);
        else ResolveBand<false>(Depth.data(), BandTop, Scene, Width, Coverage, Seen);
    }
}

}  // namespace

// Bands share no sample and no pixel, and the nearest and farthest nearness are a maximum
// and a minimum, so sharing the bands out among threads gives the same picture.
TGreyPlane RenderMeshDepth(const TMesh& Mesh, int Width, int Height, const TModelView& View) {
    TGreyPlane Plane(Width, Height);
    TScene Scene;
    if (!Project(Mesh, Width, Height, View, Scene)) return Plane;

    const int Bands = (Scene.SampleHeight + BandSampleRows - 1) / BandSampleRows;
    const TBandOrder Order = OrderByBand(Mesh, Scene, Bands);
    TCoverage Coverage{std::vector<std::uint8_t>(Plane.Levels.size()), std::vector<float>(Plane.Levels.size())};
    const int Cores = std::max(1, int(std::thread::hardware_concurrency()));
    const int Threads = std::clamp(Bands / MinBandsPerThread, 1, Cores);
    std::vector<TNearness> Seen(static_cast<std::size_t>(Threads));
    {
        std::vector<std::jthread> Workers;
        for (int Part = 0; Part < Threads; ++Part) {
            const int First = Bands * Part / Threads, Last = Bands * (Part + 1) / Threads;
            const auto Draw = [&, First, Last, Part] { DrawBands(Mesh, Scene, Order, Width, First, Last, Coverage, Seen[std::size_t(Part)]); };
            if (Part + 1 < Threads) Workers.emplace_back(Draw);
            else Draw();
        }
    }
    TNearness All;
    for (const TNearness& Part : Seen) All.Join(Part);
    Shade(Coverage, All, Scene, Plane);
    return Plane;
}
