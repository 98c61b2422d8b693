// Moving stereograms: 120 frames of 800 × 500, textured with 4 samples a pixel, of a model of
// 100,000 triangles turning once, rendered and written through the command line as MP4,
// GIF, WebP and a PNG folder (goals on two cores: MP4 at most 2 s, the others at most 4 s).
// The split cases time the three steps of those frames alone: drawing the model's depth
// maps (the renderer shares each out among the cores), rendering the stereograms on one
// thread, encoding them in each format. CPU times are those of all threads.
// Case names: Animation/<format>, Animation split/draw, …/render, …/encode <format>.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#include "AnimationWriter.h"
#include "DepthRasterizer.h"
#include "FrameLoop.h"
#include "GreyPlane.h"
#include "Mesh.h"
#include "Run.h"
#include "StartSettings.h"
#include "Stereogram.h"

namespace fs = std::filesystem;

namespace {

constexpr int Frames = 120, Width = 800, Height = 500;
constexpr int Rings = 200, Segments = 250;  // 2 × 200 × 250 = 100,000 triangles

// A lumpy sphere, so that turning it changes the depth map.
TMesh LumpySphere() {
    TMesh Mesh;
    for (int R = 0; R <= Rings; ++R)
        for (int S = 0; S < Segments; ++S) {
            const double Theta = std::numbers::pi * R / Rings, Phi = 2 * std::numbers::pi * S / Segments;
            const double Radius = 1 + 0.15 * std::sin(5 * Theta) * std::cos(3 * Phi);
            Mesh.Vertices.push_back({float(Radius * std::sin(Theta) * std::cos(Phi)), float(Radius * std::cos(Theta)),
                                     float(Radius * std::sin(Theta) * std::sin(Phi))});
        }
    const auto At = [](int R, int S) { return std::uint32_t(R * Segments + S % Segments); };
    for (int R = 0; R < Rings; ++R)
        for (int S = 0; S < Segments; ++S) {
            Mesh.Triangles.push_back({At(R, S), At(R + 1, S), At(R + 1, S + 1)});
            Mesh.Triangles.push_back({At(R, S), At(R + 1, S + 1), At(R, S + 1)});
        }
    return Mesh;
}

void WriteBinaryStl(const TMesh& Mesh, const std::string& File) {
    std::ofstream Out(File, std::ios::binary);
    const char Header[80] = "benchmark sphere";
    Out.write(Header, sizeof Header);
    const std::uint32_t Count = std::uint32_t(Mesh.Triangles.size());
    Out.write(reinterpret_cast<const char*>(&Count), 4);
    for (const auto& T : Mesh.Triangles) {
        const float Normal[3] = {0, 0, 0};
        Out.write(reinterpret_cast<const char*>(Normal), sizeof Normal);
        for (const std::uint32_t I : T) Out.write(reinterpret_cast<const char*>(&Mesh.Vertices[I]), 12);
        const std::uint16_t Attributes = 0;
        Out.write(reinterpret_cast<const char*>(&Attributes), 2);
    }
}

struct TFixture {
    TFixture() : Mesh(LumpySphere()) {
        std::string Template = (fs::temp_directory_path() / "stereogramm-animation-XXXXXX").string();
        if (mkdtemp(Template.data())) Folder = Template;
        Model = (Folder / "sphere.stl").string();
        WriteBinaryStl(Mesh, Model);
    }
    ~TFixture() {
        std::error_code Ignored;
        fs::remove_all(Folder, Ignored);
    }
    TMesh Mesh;
    fs::path Folder;
    std::string Model;
};

const TFixture& Fixture() {
    static const TFixture Shared;
    return Shared;
}

TModelView View(int Frame) { return FrameView({}, {0, 360, 0}, Frame, Frames); }

void Animation(benchmark::State& State, const std::string& Output) {
    const TFixture& F = Fixture();
    const std::vector<std::string> Args{"-q", "--seed", "1", "--type", "textured", "--oversampling", "4", "--width", std::to_string(Width),
                                        "--height", std::to_string(Height), "--depth", F.Model, "--frames", std::to_string(Frames),
                                        "--spin", "0,360,0", "-o", (F.Folder / Output).string()};
    for (auto _ : State)
        if (cli::Run(Args) != cli::ExitWritten) State.SkipWithError("the animation failed");
}

// One rasteriser on every core draws the frames one after another, in memory it keeps.
void Draw(benchmark::State& State) {
    const TFixture& F = Fixture();
    TMeshRasterizer Rasterizer;
    for (auto _ : State)
        for (int Frame = 0; Frame < Frames; ++Frame) benchmark::DoNotOptimize(Rasterizer.Render(F.Mesh, Width, Height, View(Frame)));
}

// One textured frame of the first view, on one thread, with Seed.
TBitmap RenderFrame(const TPicture& Depth, std::uint32_t Seed) {
    TStereogram Generator(nullptr);
    ApplyStartSettings(Generator);
    Generator.SetStereoType(sgtTextured);
    Generator.SetOversampling(4);
    Generator.SetWidth(Width);
    Generator.SetHeight(Height);
    Generator.SetDepthMap(Depth);
    Generator.SetThreads(1);
    Generator.SetFixedSeed(Seed);
    Generator.Generate();
    return Generator.GetPicture().Bitmap();
}

TPicture FirstDepth() {
    TPicture Depth;
    Depth.SetGraphic(std::make_unique<TBitmap>(ToDepthBitmap(RenderMeshDepth(Fixture().Mesh, Width, Height, View(0)))));
    return Depth;
}

void Render(benchmark::State& State) {
    const TPicture Depth = FirstDepth();
    for (auto _ : State)
        for (int Frame = 0; Frame < Frames; ++Frame) benchmark::DoNotOptimize(RenderFrame(Depth, std::uint32_t(Frame)));
}

void Encode(benchmark::State& State, const std::string& Output) {
    const TBitmap Frame = RenderFrame(FirstDepth(), 0);
    for (auto _ : State) {
        const auto Writer = OpenAnimationWriter((Fixture().Folder / Output).string(), {Frame.Width(), Frame.Height(), 25, {}, {}});
        for (int I = 0; I < Frames; ++I) Writer->AddFrame(Frame);
        Writer->Finish();
    }
}

void Once(benchmark::internal::Benchmark* B) { B->Unit(benchmark::kSecond)->UseRealTime()->MeasureProcessCPUTime()->Iterations(1); }

BENCHMARK_CAPTURE(Animation, mp4, "turn.mp4")->Name("Animation/mp4")->Apply(Once);
BENCHMARK_CAPTURE(Animation, gif, "turn.gif")->Name("Animation/gif")->Apply(Once);
BENCHMARK_CAPTURE(Animation, webp, "turn.webp")->Name("Animation/webp")->Apply(Once);
BENCHMARK_CAPTURE(Animation, png, "turn/")->Name("Animation/png folder")->Apply(Once);
BENCHMARK(Draw)->Name("Animation split/draw")->Apply(Once);
BENCHMARK(Render)->Name("Animation split/render")->Apply(Once);
BENCHMARK_CAPTURE(Encode, mp4, "split.mp4")->Name("Animation split/encode mp4")->Apply(Once);
BENCHMARK_CAPTURE(Encode, gif, "split.gif")->Name("Animation split/encode gif")->Apply(Once);
BENCHMARK_CAPTURE(Encode, webp, "split.webp")->Name("Animation split/encode webp")->Apply(Once);
BENCHMARK_CAPTURE(Encode, png, "split/")->Name("Animation split/encode png folder")->Apply(Once);

}  // namespace

