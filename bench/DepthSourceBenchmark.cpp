// Times the depth sources at the window's size: a model of about a million triangles drawn
// by the z-buffer renderer (the goal is well under a second), the same model read from a
// binary STL in memory and drawn, and a text. Case names: <source>/<width>x<height>.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "DepthRasterizer.h"
#include "ModelDepth.h"
#include "TextDepth.h"

namespace {

constexpr int Width = 1024, Height = 800;

// A sphere with ripples, Rings × Segments quads, 2 × Rings × Segments triangles sharing
// their corners; small triangles everywhere, as in a scanned model.
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

template <typename T>
void Append(std::vector<std::uint8_t>& Bytes, const T& Value) {
    const auto* First = reinterpret_cast<const std::uint8_t*>(&Value);
    Bytes.insert(Bytes.end(), First, First + sizeof Value);
}

// Binary STL without normals: the 80-byte title, the count, then 50 bytes per triangle.
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

void RenderMesh(benchmark::State& State, TProjection Projection) {
    const TMesh& Mesh = MillionTriangles();
    TModelView View;
    View.RotateX = 20;
    View.Projection = Projection;
    for (auto _ : State) benchmark::DoNotOptimize(RenderMeshDepth(Mesh, Width, Height, View).Levels.data());
    State.counters["triangles"] = double(Mesh.Triangles.size());
}

void ReadAndRenderStl(benchmark::State& State) {
    const std::vector<std::uint8_t> Stl = BinaryStl(MillionTriangles());
    for (auto _ : State) benchmark::DoNotOptimize(RenderModelDepth(Stl, "million.stl", Width, Height).Width());
}

void RenderText(benchmark::State& State) {
    for (auto _ : State) benchmark::DoNotOptimize(RenderTextDepth("Hallo\nWelt", Width, Height).Width());
}

const bool Registered = [] {
    const std::string Size = "/" + std::to_string(Width) + "x" + std::to_string(Height);
    benchmark::RegisterBenchmark(("MeshDepth/orthographic" + Size).c_str(), RenderMesh, TProjection::Orthographic)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("MeshDepth/perspective" + Size).c_str(), RenderMesh, TProjection::Perspective)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("ModelDepth/binary-stl-in-memory" + Size).c_str(), ReadAndRenderStl)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("TextDepth" + Size).c_str(), RenderText)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
