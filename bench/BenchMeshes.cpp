#include "BenchMeshes.h"

#include <cmath>
#include <numbers>

namespace {
template <typename T>
void Append(std::vector<std::uint8_t>& Bytes, const T& Value) {
    const auto* First = reinterpret_cast<const std::uint8_t*>(&Value);
    Bytes.insert(Bytes.end(), First, First + sizeof Value);
}
}  // namespace

TMesh RippledSphere(int Rings, int Segments) {
    TMesh Mesh;
    for (int R = 0; R <= Rings; ++R) {
        for (int S = 0; S <= Segments; ++S) {
            const double Polar = std::numbers::pi * R / Rings, Azimuth = 2 * std::numbers::pi * S / Segments;
            const double Radius = 1 + 0.03 * std::sin(40 * Polar) * std::sin(30 * Azimuth);
            Mesh.Vertices.push_back({float(Radius * std::sin(Polar) * std::cos(Azimuth)), float(Radius * std::cos(Polar)),
                                     float(Radius * std::sin(Polar) * std::sin(Azimuth))});
        }
    }
    const auto Corner = [Segments](int R, int S) { return std::uint32_t(R * (Segments + 1) + S); };
    for (int R = 0; R < Rings; ++R) {
        for (int S = 0; S < Segments; ++S) {
            Mesh.Triangles.push_back({Corner(R, S), Corner(R + 1, S), Corner(R, S + 1)});
            Mesh.Triangles.push_back({Corner(R, S + 1), Corner(R + 1, S), Corner(R + 1, S + 1)});
        }
    }
    return Mesh;
}

const TMesh& MillionTriangles() {
    static const TMesh Mesh = RippledSphere(500, 1000);
    return Mesh;
}

TMesh UnsharedCorners(const TMesh& Mesh) {
    TMesh Unshared;
    for (const auto& Corners : Mesh.Triangles) {
        const auto First = std::uint32_t(Unshared.Vertices.size());
        for (const std::uint32_t I : Corners) Unshared.Vertices.push_back(Mesh.Vertices[I]);
        Unshared.Triangles.push_back({First, First + 1, First + 2});
    }
    return Unshared;
}

std::vector<std::uint8_t> BinaryStl(const TMesh& Mesh) {
    std::vector<std::uint8_t> Bytes(80, ' ');
    Bytes.reserve(84 + 50 * Mesh.Triangles.size());
    Append(Bytes, std::uint32_t(Mesh.Triangles.size()));
    for (const auto& T : Mesh.Triangles) {
        Append(Bytes, TVertex{0, 0, 0});
        for (const std::uint32_t Corner : T) Append(Bytes, Mesh.Vertices[Corner]);
        Append(Bytes, std::uint16_t(0));
    }
    return Bytes;
}
