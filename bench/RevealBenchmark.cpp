// The reveal: how well it gives back the depth of the 28 samples drawn in each kind (with
// the run's geometry known and without it, and of another maker's random dots), and how
// fast it is at the window's size and on a printed page. Case names: Reveal/<what>.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "Reveal.h"
#include "RevealScenes.h"
#include "SampleLibrary.h"

namespace {

constexpr int kTolerance = 8;  // levels

double PeakMegabytes() {
    rusage Usage{};
    getrusage(RUSAGE_SELF, &Usage);
    return double(Usage.ru_maxrss) / 1024;
}

// Every sample in every kind: the share within 8 levels with the geometry known (average,
// worst), Pearson's r without it (random dots, textured), and r for the textbook maker.
void Quality(benchmark::State& State) {
    for (auto _ : State) {
        double ShareSum = 0, Worst = 2, DotR = 0, TexturedR = 0, TextbookR = 0;
        int Cases = 0, DotCases = 0, TexturedCases = 0;
        std::string WorstCase;
        const int Samples = SampleCount(TPictureRole::DepthMap);
        for (int Sample = 1; Sample <= Samples; ++Sample) {
            for (const TRevealKind Kind : AllRevealKinds) {
                const TRevealScene Scene = MakeRevealScene(Sample, Kind);
                const TRevealResult Known = Reveal(Scene.Stereogram, {Scene.Geometry, false, 2});
                const double Share = ShareWithinLevels(Known.Depth, Scene.TrueDepth, Scene.FarRepeat, kTolerance);
                const TRevealResult Relative = Reveal(Scene.Stereogram, {std::nullopt, false, 2});
                const double R = DepthCorrelation(Relative.Depth, Scene.TrueDepth, Scene.FarRepeat);
                std::printf("sample %2d %-20s within %d levels %5.1f %%   r %.3f\n", Sample, std::string(RevealKindName(Kind)).c_str(),
                            kTolerance, Share * 100, R);
                ShareSum += Share, ++Cases;
                if (Share < Worst) Worst = Share, WorstCase = "sample " + std::to_string(Sample) + " " + std::string(RevealKindName(Kind));
                (Kind == TRevealKind::FastRandomDot || Kind == TRevealKind::RandomDotTextured ? DotR : TexturedR) += R;
                ++(Kind == TRevealKind::FastRandomDot || Kind == TRevealKind::RandomDotTextured ? DotCases : TexturedCases);
            }
            const TRevealScene Scene = MakeRevealScene(Sample, TRevealKind::FastRandomDot);
            const TRevealResult Other = Reveal(TextbookStereogram(Scene.TrueDepth, std::uint32_t(Sample)), {std::nullopt, false, 2});
            TextbookR += DepthCorrelation(Other.Depth, Scene.TrueDepth, TextbookFarRepeat);
        }
        std::printf("with the options: %.1f %% within %d levels on average, worst %.1f %% (%s)\n", ShareSum / Cases * 100, kTolerance,
                    Worst * 100, WorstCase.c_str());
        std::printf("without them: r %.3f random dots, %.3f textured; textbook maker r %.3f\n", DotR / DotCases, TexturedR / TexturedCases,
                    TextbookR / Samples);
        State.counters["within_avg_pct"] = ShareSum / Cases * 100;
        State.counters["within_worst_pct"] = Worst * 100;
        State.counters["r_dots"] = DotR / DotCases;
        State.counters["r_textured"] = TexturedR / TexturedCases;
        State.counters["r_textbook"] = TextbookR / Samples;
    }
}

// One reveal on two threads; Known: with the run's geometry.
void Speed(benchmark::State& State, TRevealKind Kind, int Width, int Height, int DPI, bool Known) {
    const TRevealScene Scene = MakeRevealScene(7, Kind, Width, Height, false, 1, DPI);
    const TRevealSettings Settings{Known ? std::optional(Scene.Geometry) : std::nullopt, false, 2};
    for (auto _ : State) benchmark::DoNotOptimize(Reveal(Scene.Stereogram, Settings));
    State.counters["peak_MB"] = PeakMegabytes();
}

}  // namespace

BENCHMARK(Quality)->Name("Reveal/quality")->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(Speed, dots_800x500_known, TRevealKind::FastRandomDot, 800, 500, 72, true)->Name("Reveal/800x500/dots/options")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Speed, dots_800x500, TRevealKind::FastRandomDot, 800, 500, 72, false)->Name("Reveal/800x500/dots")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Speed, textured_800x500, TRevealKind::Textured4, 800, 500, 72, false)->Name("Reveal/800x500/textured")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Speed, dots_a4, TRevealKind::FastRandomDot, 2480, 3508, 300, false)->Name("Reveal/A4-300dpi/dots")->Unit(benchmark::kMillisecond)->Iterations(2);

