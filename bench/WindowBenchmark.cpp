// The generate button of the real window, offscreen: from the click to the result painted
// in the result view, beside the engine alone on the same job (the window's start: the
// textured kind, depth map 1, texture 1, 800 × 500). The difference is what the window
// adds: the messages handled after every row, the gauge, the controls locked and freed,
// the copy and conversion of the result, the paint. IdleMessagesOfARun is the part of it
// that the messages after every row cost when none are waiting (500 rows).
// With the settings panel open: LiveChangeToPainted/<kind>/<width>x<height>x<oversampling>
// times a change to the new picture painted (the preview's worker, hand-over and paint);
// ModelTurning/<triangles> a drag step on a model to its draft picture painted (depth map,
// stereogram and paint; items per second are pictures per second); LiveChangesInARow ten
// thousand changes as fast as they come, with the growth of the resident memory over them.
#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <fstream>
#include <string>

#include "Application.h"
#include "ApplicationHooks.h"
#include "BenchMeshes.h"
#include "ImageView.h"
#include "MemoryReuse.h"
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

// Waits until the preview is done and the result view painted with it. The wait sleeps
// until an event comes, as the window's own event loop does, so that it leaves the cores
// to the preview's worker; a tick every millisecond ends a sleep that no event would end.
void WaitForLivePicture(Tfstereo& Window, PaintWatch& Watch) {
    QTimer Tick;
    Tick.start(1);
    while (Window.PreviewBusy() || !Watch.Painted) QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

struct TLiveCase {
    TStereoGramType Kind;
    int Width, Height, Oversampling;
};

void LiveChangeToPainted(benchmark::State& State, TLiveCase Case) {
    ShownWindow Shown;
    Tfstereo& Window = Shown.Window;
    TStereogram& Generator = *Window.Stereogram1;
    Generator.SetStereoType(Case.Kind);
    Generator.SetWidth(Case.Width);
    Generator.SetHeight(Case.Height);
    Generator.SetOversampling(Case.Oversampling);
    PaintWatch Watch;
    Window.meinimage->installEventFilter(&Watch);
    Window.SettingsAction->trigger();
    WaitForLivePicture(Window, Watch);
    bool CrossEyed = false;
    for (auto _ : State) {
        Watch.Painted = false;
        CrossEyed = !CrossEyed;
        Generator.SetCrossEyed(CrossEyed);
        Window.LiveChange();
        WaitForLivePicture(Window, Watch);
    }
}

// Resident memory in kilobytes.
long ResidentKilobytes() {
    std::ifstream Status("/proc/self/statm");
    long Pages = 0, Resident = 0;
    Status >> Pages >> Resident;
    return Resident * 4;
}

void LiveChangesInARow(benchmark::State& State) {
    ShownWindow Shown;
    Tfstereo& Window = Shown.Window;
    PaintWatch Watch;
    Window.meinimage->installEventFilter(&Watch);
    Window.SettingsAction->trigger();
    const auto Changes = [&](int Count) {
        for (int Change = 0; Change < Count; ++Change) {
            Window.Stereogram1->SetDotIntensity(1 + Change % 98);
            Window.LiveChange();
            QCoreApplication::processEvents();
        }
        Watch.Painted = false;
        WaitForLivePicture(Window, Watch);
    };
    Changes(1000);  // the caches and pools reach their size
    long Growth = 0;
    for (auto _ : State) {
        const long Before = ResidentKilobytes();
        Changes(10000);
        Growth = ResidentKilobytes() - Before;
    }
    State.counters["rss_growth_kB"] = double(Growth);
}

void ModelTurning(benchmark::State& State, int Rings, int Segments) {
    QTemporaryDir Folder;
    const std::string Path = Folder.filePath("sphere.stl").toStdString();
    const std::vector<std::uint8_t> Stl = BinaryStl(RippledSphere(Rings, Segments));
    std::ofstream(Path, std::ios::binary).write(reinterpret_cast<const char*>(Stl.data()), std::streamsize(Stl.size()));
    Tfstereo Window;
    Window.SetStartFiles({QString::fromStdString(Path)});
    Window.show();
    while (!Window.windowHandle()->isExposed() || Window.Image2->Picture().Width() != 800) QCoreApplication::processEvents();
    PaintWatch Watch;
    Window.meinimage->installEventFilter(&Watch);
    Window.SettingsAction->trigger();
    WaitForLivePicture(Window, Watch);
    for (auto _ : State) {
        Watch.Painted = false;
        Window.TurnModel(*Window.meinimage, QPoint(4, 1), false);
        WaitForLivePicture(Window, Watch);
    }
    State.SetItemsProcessed(State.iterations());
    State.counters["triangles"] = 2.0 * Rings * Segments;
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
BENCHMARK_CAPTURE(LiveChangeToPainted, fast_random_dot/800x500x1, TLiveCase{sgtFastRandomDot, 800, 500, 1})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LiveChangeToPainted, colored_dot/640x480x1, TLiveCase{sgtColoredDot, 800, 500, 1})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LiveChangeToPainted, random_dot_textured/800x500x4, TLiveCase{sgtRandomDotTextured, 800, 500, 4})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LiveChangeToPainted, textured/800x500x4, TLiveCase{sgtTextured, 800, 500, 4})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LiveChangeToPainted, textured/1024x800x8, TLiveCase{sgtTextured, 1024, 800, 8})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ModelTurning, 100k, 100, 500)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ModelTurning, 1M, 500, 1000)->Unit(benchmark::kMillisecond);
BENCHMARK(LiveChangesInARow)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    KeepFreedMemory();  // as the window's main does
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication App(argc, argv);
    Application->SetTitle("Stereogramm");
    InstallApplicationHooks();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
