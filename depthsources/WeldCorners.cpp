#include "WeldCorners.h"

#include <bit>
#include <cstring>
#include <limits>

namespace {

constexpr std::uint32_t NoVertex = std::numeric_limits<std::uint32_t>::max();

std::uint64_t HashOf(const TVertex& V) {
    std::uint32_t Bits[3];
    std::memcpy(Bits, &V, sizeof Bits);
    const std::uint64_t Mixed = (std::uint64_t(Bits[0]) << 32 | Bits[1]) * 0x9E3779B97F4A7C15ull ^ std::uint64_t(Bits[2]) * 0xC2B2AE3D27D4EB4Full;
    return Mixed ^ (Mixed >> 29);
}

bool SameBits(const TVertex& A, const TVertex& B) { return std::memcmp(&A, &B, sizeof A) == 0; }

}  // namespace

void WeldCorners(TMesh& Mesh) {
    std::vector<std::uint32_t> NewIndex(Mesh.Vertices.size(), NoVertex);
    std::vector<TVertex> Kept;
    // Slots hold indices into Kept; twice the corners keeps the probe sequences short.
    std::vector<std::uint32_t> Slots(std::bit_ceil(std::max<std::size_t>(16, 2 * Mesh.Vertices.size())), NoVertex);
    const int Bits = std::countr_zero(Slots.size());
    for (auto& Corners : Mesh.Triangles)
        for (std::uint32_t& Corner : Corners) {
            if (Corner >= Mesh.Vertices.size()) continue;
            if (NewIndex[Corner] == NoVertex) {
                const TVertex& V = Mesh.Vertices[Corner];
                std::size_t Slot = std::size_t(HashOf(V) >> (64 - Bits));
                while (Slots[Slot] != NoVertex && !SameBits(Kept[Slots[Slot]], V)) Slot = (Slot + 1) & (Slots.size() - 1);
                if (Slots[Slot] == NoVertex) {
                    Slots[Slot] = std::uint32_t(Kept.size());
                    Kept.push_back(V);
                }
                NewIndex[Corner] = Slots[Slot];
            }
            Corner = NewIndex[Corner];
        }
    Mesh.Vertices = std::move(Kept);
}
