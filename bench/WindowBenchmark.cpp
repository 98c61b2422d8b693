// The generate button of the real window, offscreen: from the click to the result painted
// in the result view, beside the engine alone on the same job (the window's start: the
// textured kind, depth map 1, texture 1, 800 × 500). The difference is what the window
// adds: the messages handled after every row, the gauge, the controls locked and freed,
// the copy and conversion of the result, the paint. IdleMessagesOfARun is the part of it
// that the messages after every row cost when none are waiting (500 rows).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPushButton>
#include <QWindow>

#include "Application.h"
#include "ApplicationHooks.h"
#include "ImageView.h"
#include "SampleList.h"
#include "StartSettings.h"
#include "Stereogram.h"
#include "ustereo.h"

namespace {

constexpr int RowsOfARun = 500;

// Notes when the watched view has been painted.
class PaintWatch : public QObject {
public:
    bool Painted = false;

protected:
    bool eventFilter(QObject*, QEvent* Event) override {
        if (Event->type() == QEvent::Paint) Painted = true;
        return false;
    }
};

// The window shown, activated and with its samples loaded.
struct ShownWindow {
    Tfstereo Window;
    ShownWindow() {
        Window.show();
        while (!Window.windowHandle()->isExposed() || Window.ComboBox1->count() < 2) QCoreApplication::processEvents();
    }
};

void EngineAlone(benchmark::State& State) {
    TStereogram Stereogram(nullptr);
    ApplyStartSettings(Stereogram);
    Stereogram.SetFixedSeed(1);
    for (auto _ : State) {
        Stereogram.Generate();
        benchmark::DoNotOptimize(Stereogram.GetPicture().Width());
    }
}

void ClickToPainted(benchmark::State& State) {
    ShownWindow Shown;
    PaintWatch Watch;
    Shown.Window.meinimage->installEventFilter(&Watch);
    for (auto _ : State) {
        Watch.Painted = false;
        Shown.Window.D1->click();
        while (!Watch.Painted) QCoreApplication::processEvents();
    }
}

void IdleMessagesOfARun(benchmark::State& State) {
    const ShownWindow Shown;
    for (auto _ : State)
        for (int Row = 0; Row < RowsOfARun; ++Row) Application->ProcessMessages();
}

}  // namespace

BENCHMARK(EngineAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(ClickToPainted)->Unit(benchmark::kMillisecond);
BENCHMARK(IdleMessagesOfARun)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    Application->SetTitle("Stereogramm");
    InstallApplicationHooks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
