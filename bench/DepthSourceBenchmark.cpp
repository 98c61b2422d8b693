// Times the depth sources at the window's size: a model of about a million triangles drawn
// by the z-buffer renderer, by a rasteriser kept from picture to picture and by one made
// for each picture (fresh memory costs page faults), the same model read from a
// binary STL in memory and drawn, and a text. Case names: <source>/<width>x<height>.
// DraftMesh/million-unshared makes the coarse copy of that model, with its corners as an
// STL file gives them, that the window draws while the model turns (once per model);
// DraftDepth draws that copy as the window's draft.
#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "BenchMeshes.h"
#include "DepthRasterizer.h"
#include "DraftDepth.h"
#include "DraftMesh.h"
#include "ModelDepth.h"
#include "TextDepth.h"

namespace {

constexpr int Width = 1024, Height = 800;

// Drawn again and again by one rasteriser, as the window and an animation draw a model;
// Kept false: each picture by a rasteriser of its own, as one still picture is drawn.
void RenderMesh(benchmark::State& State, TProjection Projection, bool Kept) {
    const TMesh& Mesh = MillionTriangles();
    TModelView View;
    View.RotateX = 20;
    View.Projection = Projection;
    TMeshRasterizer Rasterizer;
    for (auto _ : State)
        benchmark::DoNotOptimize((Kept ? Rasterizer.Render(Mesh, Width, Height, View) : RenderMeshDepth(Mesh, Width, Height, View)).Levels.data());
    State.counters["triangles"] = double(Mesh.Triangles.size());
}

void ReadAndRenderStl(benchmark::State& State) {
    const std::vector<std::uint8_t> Stl = BinaryStl(MillionTriangles());
    for (auto _ : State) benchmark::DoNotOptimize(RenderModelDepth(Stl, "million.stl", Width, Height).Width());
}

void MakeDraft(benchmark::State& State) {
    const TMesh Mesh = UnsharedCorners(MillionTriangles());
    for (auto _ : State) benchmark::DoNotOptimize(DraftMesh(Mesh, DraftCells(Width / 2, Height / 2)).Triangles.data());
}

void RenderDraft(benchmark::State& State) {
    const TMesh Draft = DraftMesh(MillionTriangles(), DraftCells(Width / 2, Height / 2));
    TModelView View;
    View.RotateX = 20;
    TMeshRasterizer Rasterizer;
    for (auto _ : State) benchmark::DoNotOptimize(RenderDraftDepth(Rasterizer, Draft, Width, Height, View).Levels.data());
    State.counters["triangles"] = double(Draft.Triangles.size());
}

void RenderText(benchmark::State& State) {
    for (auto _ : State) benchmark::DoNotOptimize(RenderTextDepth("Hallo\nWelt", Width, Height).Width());
}

const bool Registered = [] {
    const std::string Size = "/" + std::to_string(Width) + "x" + std::to_string(Height);
    for (const auto& [Name, Projection] : {std::pair{"orthographic", TProjection::Orthographic}, std::pair{"perspective", TProjection::Perspective}}) {
        benchmark::RegisterBenchmark(("MeshDepth/" + std::string(Name) + Size).c_str(), RenderMesh, Projection, true)
            ->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("MeshDepth/" + std::string(Name) + ", one picture" + Size).c_str(), RenderMesh, Projection, false)
            ->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark(("ModelDepth/binary-stl-in-memory" + Size).c_str(), ReadAndRenderStl)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("DraftMesh/million-unshared", MakeDraft)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("DraftDepth" + Size).c_str(), RenderDraft)->MeasureProcessCPUTime()->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(("TextDepth" + Size).c_str(), RenderText)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
