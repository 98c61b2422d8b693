// Times one whole Generate for each kind of stereogram at the window's size and at the
// largest size. Case names: Generate/<kind>/<width>x<height>/<oversampling>.
#include <benchmark/benchmark.h>

#include <cmath>
#include <string>
#include <tuple>

#include "Bitmap.h"
#include "Picture.h"
#include "Stereogram.h"

namespace {

// A smooth relief: a few overlapping bumps on a black background.
TPicture Relief(int Width, int Height) {
    auto Bitmap = std::make_unique<TBitmap>(Width, Height, pf24bit);
    for (int Y = 0; Y < Height; ++Y) {
        for (int X = 0; X < Width; ++X) {
            const double U = double(X) / Width - 0.5, V = double(Y) / Height - 0.5;
            const double Bump = std::exp(-(U * U + V * V) * 12) + 0.6 * std::exp(-((U - 0.25) * (U - 0.25) + V * V) * 60);
            const auto Level = std::uint8_t(std::min(255.0, 200 * Bump));
            Bitmap->SetPixel(X, Y, PackColor(Level, Level, Level));
        }
    }
    TPicture Picture;
    Picture.SetGraphic(std::move(Bitmap));
    return Picture;
}

TPicture Texture(int Side) {
    auto Bitmap = std::make_unique<TBitmap>(Side, Side, pf24bit);
    for (int Y = 0; Y < Side; ++Y)
        for (int X = 0; X < Side; ++X)
            Bitmap->SetPixel(X, Y, PackColor(std::uint8_t(X * 2), std::uint8_t(Y * 2), std::uint8_t((X * Y) & 255)));
    TPicture Picture;
    Picture.SetGraphic(std::move(Bitmap));
    return Picture;
}

struct Kind {
    const char* Name;
    TStereoGramType Type;
};

void GenerateCase(benchmark::State& State, TStereoGramType Type, int Width, int Height, int Oversampling) {
    TStereogram S(nullptr);
    // Coloured dots take the depth map's size, so that kind gets a relief of the case's size.
    S.SetDepthMap(Type == sgtColoredDot ? Relief(Width, Height) : Relief(640, 480));
    S.SetMaskMap(Type == sgtColoredDot ? Relief(Width, Height) : Texture(128));
    S.SetStereoType(Type);
    S.SetWidth(Width);
    S.SetHeight(Height);
    S.SetOversampling(Oversampling);
    S.SetMin3Ddepth(8.0);
    S.SetFixedSeed(1);
    for (auto _ : State) {
        S.Generate();
        benchmark::DoNotOptimize(S.GetPicture().Width());
    }
}

const bool Registered = [] {
    const Kind Kinds[] = {{"fast-random-dot", sgtFastRandomDot},
                          {"colored-dot", sgtColoredDot},
                          {"random-dot-textured", sgtRandomDotTextured},
                          {"textured", sgtTextured}};
    for (const Kind& K : Kinds) {
        const bool Textured = K.Type == sgtTextured || K.Type == sgtRandomDotTextured;
        for (auto [Width, Height, Oversampling] : {std::tuple{800, 500, Textured ? 4 : 1}, std::tuple{1024, 800, Textured ? 8 : 1}}) {
            const std::string Name = std::string("Generate/") + K.Name + "/" + std::to_string(Width) + "x" + std::to_string(Height) + "/" +
                                     std::to_string(Oversampling);
            benchmark::RegisterBenchmark(Name.c_str(), GenerateCase, K.Type, Width, Height, Oversampling)->Unit(benchmark::kMillisecond);
        }
    }
    return true;
}();

}  // namespace

BENCHMARK_MAIN();
