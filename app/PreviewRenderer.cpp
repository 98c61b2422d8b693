#include "PreviewRenderer.h"

#include <QMetaObject>
#include <utility>

#include "DepthReading.h"
#include "Exception.h"
#include "GeneratorCopy.h"
#include "RefusalText.h"

namespace {
// Thrown by the progress handler to end a superseded run; the generator cleans up and
// lets it pass, so the next run starts as usual.
struct TSuperseded {};
}  // namespace

PreviewRenderer::PreviewRenderer(QObject* Parent) : QObject(Parent), FWorker([this] { Work(); }) {}

PreviewRenderer::~PreviewRenderer() {
    {
        const std::lock_guard Guard(FLock);
        FStopping = true;
        ++FNewest;
        FWaiting.reset();
    }
    FWake.notify_all();
    FWorker.join();
}

std::uint64_t PreviewRenderer::Request(const TStereogram& Source, std::uint32_t Seed, std::string Options, TPreviewShape Shape) {
    auto Job = std::make_unique<TJob>();
    Job->Generator = std::make_unique<TStereogram>(nullptr);
    CopyGeneratorSettings(Source, *Job->Generator);
    Job->Generator->SetFixedSeed(Seed);
    Job->Generator->SetHandlesMessages(false);
    if (Shape.Draft) Job->Generator->SetOversampling(1);
    Job->Options = std::move(Options);
    Job->Shape = Shape;
    std::uint64_t Number = 0;
    {
        const std::lock_guard Guard(FLock);
        Number = Job->Number = ++FNewest;
        FWaiting = std::move(Job);
    }
    FWake.notify_all();
    return Number;
}

void PreviewRenderer::Cancel() {
    const std::lock_guard Guard(FLock);
    ++FNewest;
    FWaiting.reset();
}

bool PreviewRenderer::Busy() const {
    const std::lock_guard Guard(FLock);
    return FRunning || FWaiting;
}

void PreviewRenderer::Work() {
    for (;;) {
        std::unique_ptr<TJob> Job;
        {
            std::unique_lock Guard(FLock);
            FRunning = false;
            FWake.wait(Guard, [this] { return FStopping || FWaiting; });
            if (FStopping) return;
            Job = std::move(FWaiting);
            FRunning = true;
        }
        TStereogram& Generator = *Job->Generator;
        const std::uint64_t Number = Job->Number;
        Generator.SetOnGenerate([this, Number](TObject*) {
            const std::lock_guard Guard(FLock);
            if (FNewest != Number) throw TSuperseded();
        });
        TResult Result{Number, {}, {}, std::move(Job->Options), Job->Shape.Draft};
        try {
            if (Job->Shape.Fit)
                if (const std::optional<TPicture> Fitted = FittedDepth(Generator)) ReplaceDepthMap(Generator, *Fitted);
            Generator.Generate();
            Result.Picture = std::make_unique<TBitmap>(Generator.GetPicture().Bitmap());
        } catch (const TSuperseded&) {
            continue;
        } catch (const std::exception& E) {
            // Translations may be read from any thread.
            Result.Refusal = FailureText(E);
        }
        Deliver(std::move(Result));
    }
}

// Runs on the worker; the result crosses to the owner's thread through its event queue,
// and is dropped there when a newer request came in the meantime.
void PreviewRenderer::Deliver(TResult Result) {
    auto Shared = std::make_shared<TResult>(std::move(Result));
    QMetaObject::invokeMethod(this, [this, Shared] {
        {
            const std::lock_guard Guard(FLock);
            if (Shared->Number != FNewest) return;
        }
        if (OnFinished) OnFinished(*Shared);
    }, Qt::QueuedConnection);
}
