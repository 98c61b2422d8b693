#include "DraftMesh.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace {

// Pixels of the draft picture per cell of the grid: a triangle then covers about a hundred
// samples, so that the drawing costs little per triangle and the surface stays smooth.
constexpr int DraftCellPixels = 4;
// A key no cell has: the hash table's empty slot.
constexpr std::uint64_t NoCell = std::numeric_limits<std::uint64_t>::max();
constexpr std::uint32_t NoCluster = std::numeric_limits<std::uint32_t>::max();

bool IsFinite(const TVertex& V) { return std::isfinite(V.X) && std::isfinite(V.Y) && std::isfinite(V.Z); }

bool Drawable(const TMesh& Mesh, const std::array<std::uint32_t, 3>& Corners) {
    return std::all_of(Corners.begin(), Corners.end(), [&](std::uint32_t I) { return I < Mesh.Vertices.size() && IsFinite(Mesh.Vertices[I]); });
}

// The occupied cells of the grid and the mean position of each one's corners. The table
// of cells grows with them: a surface occupies far fewer cells than the grid has.
class TClusters {
public:
    explicit TClusters(std::size_t Expected) : FSlots(std::bit_ceil(std::max<std::size_t>(16, 2 * Expected)), {NoCell, NoCluster}) {}

    // The cluster of Cell, a new one when Cell has none yet; Corner is added to its mean.
    std::uint32_t Add(std::uint64_t Cell, const TVertex& Corner) {
        TSlot& Found = FSlots[SlotOf(Cell)];
        std::uint32_t Cluster = Found.Cluster;
        if (Found.Cell == NoCell) {
            Cluster = std::uint32_t(FSums.size());
            Found = {Cell, Cluster};
            FSums.push_back({});
            if (2 * FSums.size() > FSlots.size()) Grow();
        }
        TSum& Sum = FSums[Cluster];
        Sum.X += double(Corner.X), Sum.Y += double(Corner.Y), Sum.Z += double(Corner.Z), ++Sum.Count;
        return Cluster;
    }

    std::vector<TVertex> Means() const {
        std::vector<TVertex> Result;
        Result.reserve(FSums.size());
        for (const TSum& S : FSums) Result.push_back({float(S.X / S.Count), float(S.Y / S.Count), float(S.Z / S.Count)});
        return Result;
    }

private:
    struct TSlot {
        std::uint64_t Cell;
        std::uint32_t Cluster;
    };
    struct TSum {
        double X = 0, Y = 0, Z = 0;
        std::uint32_t Count = 0;
    };

    // Cell's slot, or the empty one where it belongs. The hash is the product's high bits:
    // its low bits would repeat with the grid's rows.
    std::size_t SlotOf(std::uint64_t Cell) const {
        const int Bits = std::countr_zero(FSlots.size());
        std::size_t Slot = std::size_t((Cell * 0x9E3779B97F4A7C15ull) >> (64 - Bits));
        while (FSlots[Slot].Cell != Cell && FSlots[Slot].Cell != NoCell) Slot = (Slot + 1) & (FSlots.size() - 1);
        return Slot;
    }

    void Grow() {
        const std::vector<TSlot> Old = std::exchange(FSlots, std::vector<TSlot>(2 * FSlots.size(), {NoCell, NoCluster}));
        for (const TSlot& Slot : Old)
            if (Slot.Cell != NoCell) FSlots[SlotOf(Slot.Cell)] = Slot;
    }

    std::vector<TSlot> FSlots;
    std::vector<TSum> FSums;
};

}  // namespace

TMesh DraftMesh(const TMesh& Mesh, int Cells) {
    double Low[3] = {HUGE_VAL, HUGE_VAL, HUGE_VAL}, High[3] = {-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
    std::vector<std::uint8_t> Used(Mesh.Vertices.size());
    std::size_t UsedCount = 0;
    for (const auto& Corners : Mesh.Triangles) {
        if (!Drawable(Mesh, Corners)) continue;
        for (const std::uint32_t I : Corners) {
            if (Used[I]) continue;
            Used[I] = 1, ++UsedCount;
            const TVertex& V = Mesh.Vertices[I];
            const double P[3] = {double(V.X), double(V.Y), double(V.Z)};
            for (int Axis = 0; Axis < 3; ++Axis) Low[Axis] = std::min(Low[Axis], P[Axis]), High[Axis] = std::max(High[Axis], P[Axis]);
        }
    }
    if (UsedCount == 0) return {};
    const double Longest = std::max({High[0] - Low[0], High[1] - Low[1], High[2] - Low[2]});
    const auto Side = std::uint64_t(std::clamp(Cells, 1, MaxDraftCells));
    // Cells + 1 per axis: the box's high side falls into a cell of its own.
    const double PerUnit = Longest > 0 ? double(Side) / Longest : 0;
    const auto CellOf = [&](const TVertex& V) {
        const double P[3] = {double(V.X), double(V.Y), double(V.Z)};
        std::uint64_t Cell = 0;
        for (int Axis = 0; Axis < 3; ++Axis) Cell = Cell * (Side + 1) + std::min(Side, std::uint64_t((P[Axis] - Low[Axis]) * PerUnit));
        return Cell;
    };

    // A surface crosses about a few times Cells² cells.
    TClusters Clusters(std::min(UsedCount, std::size_t(4) * std::size_t(Side) * std::size_t(Side)));
    std::vector<std::uint32_t> ClusterOf(Mesh.Vertices.size(), NoCluster);
    for (std::size_t I = 0; I < Used.size(); ++I)
        if (Used[I]) ClusterOf[I] = Clusters.Add(CellOf(Mesh.Vertices[I]), Mesh.Vertices[I]);
    TMesh Draft;
    for (const auto& Corners : Mesh.Triangles) {
        if (!Drawable(Mesh, Corners)) continue;
        const std::array<std::uint32_t, 3> Clustered{ClusterOf[Corners[0]], ClusterOf[Corners[1]], ClusterOf[Corners[2]]};
        if (Clustered[0] != Clustered[1] && Clustered[1] != Clustered[2] && Clustered[0] != Clustered[2]) Draft.Triangles.push_back(Clustered);
    }
    Draft.Vertices = Clusters.Means();
    return Draft;
}

int DraftCells(int Width, int Height) { return std::clamp(std::max(Width, Height) / DraftCellPixels, 1, MaxDraftCells); }

const TMesh& TDraftMeshCache::For(const std::shared_ptr<const TMesh>& Mesh, int Cells) {
    if (FSource.lock() != Mesh || FCells != Cells) {
        FDraft = Mesh ? DraftMesh(*Mesh, Cells) : TMesh{};
        FSource = Mesh;
        FCells = Cells;
    }
    return FDraft;
}
