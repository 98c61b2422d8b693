// Renders live previews on a worker thread with a generator of its own. The newest request
// wins: it cancels a run still going (between two rows) and replaces one still waiting, so
// nothing queues. A finished picture, or the reason a run was refused, is handed back on
// the thread that owns the renderer. The worker never handles window messages and never
// touches a widget; the destructor cancels and joins it.
#pragma once

#include <QObject>
#include <QString>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "Picture.h"
#include "Stereogram.h"

// How a request is rendered: a draft with one sample per pixel; fitted, with the depth map
// scaled to the output size first (on the worker).
struct TPreviewShape {
    bool Draft = false;
    bool Fit = false;
};

class PreviewRenderer : public QObject {
public:
    // What a finished run hands back; Number tells requests apart (later ones are larger).
    struct TResult {
        std::uint64_t Number = 0;
        std::unique_ptr<TBitmap> Picture;  // the generator's picture, to be taken over; null when refused
        QString Refusal;      // the window's words for why the generator refused the run
        std::string Options;  // what the request came with, for the result's record
        bool Draft = false;
    };

    explicit PreviewRenderer(QObject* Parent = nullptr);
    ~PreviewRenderer() override;

    // Renders a copy of Source's settings and pictures with Seed, shaped as Shape says.
    // Answers the request's number.
    std::uint64_t Request(const TStereogram& Source, std::uint32_t Seed, std::string Options, TPreviewShape Shape = {});
    // Cancels the running and the waiting request; their results are not handed back.
    void Cancel();
    // True while a request waits or runs.
    bool Busy() const;

    // Called on the owner's thread with every result of a request not yet superseded; it
    // may take the picture.
    std::function<void(TResult&)> OnFinished;

private:
    struct TJob {
        std::uint64_t Number = 0;
        std::unique_ptr<TStereogram> Generator;
        std::string Options;
        TPreviewShape Shape;
    };
    void Work();
    void Deliver(TResult Result);

    mutable std::mutex FLock;
    std::condition_variable FWake;
    std::unique_ptr<TJob> FWaiting;
    bool FRunning = false;
    bool FStopping = false;
    // The newest request; a run of an older one stops at its next row.
    std::uint64_t FNewest = 0;
    std::thread FWorker;
};
