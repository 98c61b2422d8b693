#include "RowPipeline.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

namespace {

// Tries a few times before sleeping: a row takes microseconds, a sleep and wake-up about
// as long.
constexpr int kSpinsBeforeSleep = 64;

// The shared state of one run: which rows are claimed, prepared and finished, and the
// sleeping and waking of the threads that wait for one of them.
class TRowSchedule {
public:
    TRowSchedule(int Rows, int Window) : FRows(Rows), FWindow(Window), FPrepared(std::size_t(Rows)) {}

    // The next row that may be prepared now, or −1.
    int Claim() {
        int Row = FNext.load(std::memory_order_relaxed);
        while (Row < FRows && Row < FFinished.load(std::memory_order_acquire) + FWindow)
            if (FNext.compare_exchange_weak(Row, Row + 1, std::memory_order_relaxed)) return Row;
        return -1;
    }
    bool AllClaimed() const { return FNext.load(std::memory_order_relaxed) >= FRows; }
    // Whether Claim would find a row, or there is none left to find.
    bool ClaimableOrDone() const {
        const int Row = FNext.load(std::memory_order_relaxed);
        return Row >= FRows || Row < FFinished.load(std::memory_order_acquire) + FWindow;
    }

    void MarkPrepared(int Row) {
        FPrepared[std::size_t(Row)].store(true, std::memory_order_release);
        Changed();
    }
    bool Prepared(int Row) const { return FPrepared[std::size_t(Row)].load(std::memory_order_acquire); }

    void MarkFinished(int Row) {
        FFinished.store(Row + 1, std::memory_order_release);
        Changed();
    }

    // The first exception of a worker; it stops the run.
    void Fail(std::exception_ptr Error) {
        {
            const std::lock_guard Lock(FMutex);
            if (!FError) FError = std::move(Error);
        }
        Stop();
    }
    void RethrowFailure() {
        if (!FStopped.load()) return;
        const std::lock_guard Lock(FMutex);
        if (FError) std::rethrow_exception(FError);
    }
    void Stop() {
        FStopped.store(true);
        Changed();
    }
    bool Stopped() const { return FStopped.load(); }

    // Returns once Ready() holds, the run has stopped, or something changed since the call
    // began; the caller checks again.
    template <class TReady>
    void WaitFor(TReady Ready) {
        const std::uint64_t Seen = FChanges.load();
        for (int I = 0; I < kSpinsBeforeSleep; ++I) {
            if (Ready() || FStopped.load() || FChanges.load() != Seen) return;
            std::this_thread::yield();
        }
        FSleepers.fetch_add(1);
        {
            std::unique_lock Lock(FMutex);
            FWake.wait(Lock, [&] { return FChanges.load() != Seen || FStopped.load() || Ready(); });
        }
        FSleepers.fetch_sub(1);
    }

private:
    // Every change counts once; sleepers, if any, are woken to look again. The count is
    // raised before the sleepers are read, and a sleeper registers before it looks at the
    // count, so no change goes unseen.
    void Changed() {
        FChanges.fetch_add(1);
        if (FSleepers.load() == 0) return;
        { const std::lock_guard Lock(FMutex); }
        FWake.notify_all();
    }

    const int FRows, FWindow;
    std::atomic<int> FNext{0};
    std::atomic<int> FFinished{0};
    std::vector<std::atomic<bool>> FPrepared;
    std::atomic<bool> FStopped{false};
    std::atomic<std::uint64_t> FChanges{0};
    std::atomic<int> FSleepers{0};
    std::mutex FMutex;
    std::condition_variable FWake;
    std::exception_ptr FError;
};

void PrepareClaimed(TRowSchedule& Schedule, int Row, int Worker, const TPrepareRow& Prepare) {
    Prepare(Row, Worker);
    Schedule.MarkPrepared(Row);
}

void WorkerLoop(TRowSchedule& Schedule, int Worker, const TPrepareRow& Prepare) {
    try {
        while (!Schedule.Stopped()) {
            const int Row = Schedule.Claim();
            if (Row >= 0) {
                PrepareClaimed(Schedule, Row, Worker, Prepare);
            } else if (Schedule.AllClaimed()) {
                return;
            } else {
                Schedule.WaitFor([&] { return Schedule.ClaimableOrDone(); });
            }
        }
    } catch (...) {
        Schedule.Fail(std::current_exception());
    }
}

// Stops the workers and joins them on every way out of the run.
class TWorkers {
public:
    explicit TWorkers(TRowSchedule& Schedule) : FSchedule(Schedule) {}
    ~TWorkers() {
        FSchedule.Stop();
        for (std::thread& T : FThreads) T.join();
    }
    TWorkers(const TWorkers&) = delete;
    TWorkers& operator=(const TWorkers&) = delete;
    // Helpers 1 … Count.
    void Start(int Count, const TPrepareRow& Prepare) {
        for (int Worker = 1; Worker <= Count; ++Worker) FThreads.emplace_back(WorkerLoop, std::ref(FSchedule), Worker, std::cref(Prepare));
    }

private:
    TRowSchedule& FSchedule;
    std::vector<std::thread> FThreads;
};

}  // namespace

void RunRows(int Rows, int Threads, int Window, const TPrepareRow& Prepare, const TFinishRow& Finish) {
    if (Threads <= 1 || Rows <= 1) {
        for (int Row = 0; Row < Rows; ++Row) {
            Prepare(Row, 0);
            Finish(Row);
        }
        return;
    }
    TRowSchedule Schedule(Rows, Window);
    TWorkers Workers(Schedule);
    Workers.Start(Threads - 1, Prepare);
    for (int Row = 0; Row < Rows; ++Row) {
        // The calling thread prepares rows too while it waits for the next one to finish.
        while (!Schedule.Prepared(Row)) {
            Schedule.RethrowFailure();
            const int Claimed = Schedule.Claim();
            if (Claimed >= 0)
                PrepareClaimed(Schedule, Claimed, 0, Prepare);
            else
                Schedule.WaitFor([&] { return Schedule.Prepared(Row); });
        }
        Finish(Row);
        Schedule.MarkFinished(Row);
    }
}
