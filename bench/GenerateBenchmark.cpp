// Times one whole Generate for each kind of stereogram at the window's size, at the largest
// classic size and at a printed page's. Case names: Generate/<kind>/<width>x<height>/
// <oversampling>, then /large for the large size limit and /threads:N for N threads.
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

struct Job {
    int Width, Height, Oversampling, DPI, Threads;
    TSizeLimit Limit;
};

void GenerateCase(benchmark::State& State, TStereoGramType Type, Job J) {
    TStereogram S(nullptr);
    S.SetSizeLimit(J.Limit);
    // Coloured dots take the depth map's size, so that kind gets a relief of the case's size;
    // so do the large jobs, where a poster shows its relief across the page.
    const bool FullRelief = Type == sgtColoredDot || J.Limit == slLarge;
    S.SetDepthMap(FullRelief ? Relief(J.Width, J.Height) : Relief(640, 480));
    S.SetMaskMap(Type == sgtColoredDot ? Relief(J.Width, J.Height) : Texture(J.Limit == slLarge ? 512 : 128));
    S.SetStereoType(Type);
    S.SetWidth(J.Width);
    S.SetHeight(J.Height);
    S.SetOversampling(J.Oversampling);
    S.SetMin3Ddepth(8.0);
    S.SetDPI(J.DPI);
    S.SetThreads(J.Threads);
    S.SetFixedSeed(1);
    for (auto _ : State) {
        S.Generate();
        benchmark::DoNotOptimize(S.GetPicture().Width());
    }
}

void Register(const Kind& K, Job J) {
    std::string Name = std::string("Generate/") + K.Name + "/" + std::to_string(J.Width) + "x" + std::to_string(J.Height) + "/" +
                       std::to_string(J.Oversampling);
    if (J.Limit == slLarge) Name += "/large";
    if (J.Threads > 1) Name += "/threads:" + std::to_string(J.Threads);
    benchmark::RegisterBenchmark(Name.c_str(), GenerateCase, K.Type, J)->Unit(benchmark::kMillisecond);
}

const bool Registered = [] {
    const Kind Kinds[] = {{"fast-random-dot", sgtFastRandomDot},
                          {"colored-dot", sgtColoredDot},
                          {"random-dot-textured", sgtRandomDotTextured},
                          {"textured", sgtTextured}};
    // The window's job and the classic largest, on one thread and on two; an A4 page in
    // landscape at 300 dpi.
    for (int Threads : {1, 2}) {
        for (const Kind& K : Kinds) {
            const bool Textured = K.Type == sgtTextured || K.Type == sgtRandomDotTextured;
            Register(K, {800, 500, Textured ? 4 : 1, 72, Threads, slClassic});
            Register(K, {1024, 800, Textured ? 8 : 1, 72, Threads, slClassic});
        }
        Register(Kinds[0], {3508, 2480, 1, 300, Threads, slLarge});
        Register(Kinds[3], {3508, 2480, 4, 300, Threads, slLarge});
    }
    return true;
}();

}  // namespace

