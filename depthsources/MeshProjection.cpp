#include "MeshProjection.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <numbers>
#include <optional>

#include "GreyPlane.h"

namespace raster {
namespace {

// Perspective: the camera's distance from the model's centre, in radii of its bounding sphere.
constexpr double CameraDistanceInRadii = 2.5;

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

}  // namespace

bool Project(const TMesh& Mesh, int Width, int Height, const TModelView& View, TScene& Scene, TProjectionWork& Work) {
    std::vector<std::uint8_t>& Used = Work.Used;
    TScratch<TPoint>& Points = Work.Points;
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

}  // namespace raster
