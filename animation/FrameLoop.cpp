#include "FrameLoop.h"

#include <algorithm>
#include <condition_variable>
#include <exception>
#include <map>
#include <mutex>
#include <thread>
#include <vector>

TModelView FrameView(const TModelView& Start, const TSpin& Spin, int Frame, int Count) {
    TModelView View = Start;
    View.RotateX = Start.RotateX + double(Frame) * Spin.X / double(Count);
    View.RotateY = Start.RotateY + double(Frame) * Spin.Y / double(Count);
    View.RotateZ = Start.RotateZ + double(Frame) * Spin.Z / double(Count);
    return View;
}

std::uint32_t FrameSeed(std::uint32_t Seed, int Frame, bool SameDots) { return SameDots ? Seed : Seed + std::uint32_t(Frame); }

namespace {

// The frames between the renderers and the writer. Renderers run at most Ahead frames past
// the one the writer waits for, which bounds the memory held.
class TFrameQueue {
public:
    TFrameQueue(const TNextFrame& Next, int Ahead) : FNext(Next), FAhead(Ahead) {}

    // A renderer's loop: take the next task, run it, hand in its frame.
    void Render() {
        for (;;) {
            std::optional<TFrameTask> Task;
            int Frame = 0;
            {
                std::unique_lock Hold(FLock);
                FRoom.wait(Hold, [&] { return FStopped || FTaken < FWritten + FAhead; });
                if (FStopped || FEnded) return;
                try {
                    Task = FNext();
                } catch (...) {
                    StopWith(std::current_exception());
                    return;
                }
                if (!Task) {
                    FEnded = true;
                    FReady.notify_all();
                    return;
                }
                Frame = FTaken++;
            }
            try {
                TBitmap Bitmap = (*Task)();
                const std::lock_guard Hold(FLock);
                FDone.emplace(Frame, std::move(Bitmap));
                FReady.notify_all();
            } catch (...) {
                const std::lock_guard Hold(FLock);
                StopWith(std::current_exception());
                return;
            }
        }
    }

    // The writer's side: the frames in order until the last, or nothing.
    std::optional<TBitmap> NextDone() {
        std::unique_lock Hold(FLock);
        FReady.wait(Hold, [&] { return FStopped || FDone.contains(FWritten) || (FEnded && FWritten == FTaken); });
        if (FError) std::rethrow_exception(FError);
        if (FStopped || !FDone.contains(FWritten)) return std::nullopt;
        auto Found = FDone.find(FWritten);
        TBitmap Bitmap = std::move(Found->second);
        FDone.erase(Found);
        ++FWritten;
        FRoom.notify_all();
        return Bitmap;
    }

    void Stop(std::exception_ptr Error = nullptr) {
        const std::lock_guard Hold(FLock);
        StopWith(Error);
    }

private:
    // With FLock held.
    void StopWith(std::exception_ptr Error) {
        if (Error && !FError) FError = Error;
        FStopped = true;
        FRoom.notify_all();
        FReady.notify_all();
    }

    const TNextFrame& FNext;
    const int FAhead;
    std::mutex FLock;
    std::condition_variable FRoom, FReady;
    std::map<int, TBitmap> FDone;
    int FTaken = 0, FWritten = 0;
    bool FEnded = false, FStopped = false;
    std::exception_ptr FError;
};

}  // namespace

int RenderFrames(const TNextFrame& Next, int Threads, TAnimationWriter& Writer, const TFramesWritten& Written) {
    Threads = std::max(1, Threads);
    TFrameQueue Queue(Next, 2 * Threads);
    std::vector<std::jthread> Renderers;
    int Count = 0;
    try {
        for (int T = 0; T < Threads; ++T) Renderers.emplace_back([&Queue] { Queue.Render(); });
        while (std::optional<TBitmap> Frame = Queue.NextDone()) {
            Writer.AddFrame(*Frame);
            ++Count;
            if (!Written(Count)) break;
        }
    } catch (...) {
        Queue.Stop(std::current_exception());
        Renderers.clear();  // joins
        throw;
    }
    Queue.Stop();
    Renderers.clear();
    return Count;
}
