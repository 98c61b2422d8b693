#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Exception.h"
#include "FileDescriptor.h"

// AddressSanitizer reserves terabytes of address space for itself: under it, the child's
// address space cannot be limited.
#if defined(__SANITIZE_ADDRESS__)
#define STEREO_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define STEREO_ADDRESS_SANITIZER 1
#endif
#endif

namespace {

// The address space this process uses now, from /proc; 0 when it cannot be read.
std::uint64_t AddressSpaceInUse() {
    const TFileDescriptor Status(::open("/proc/self/statm", O_RDONLY | O_CLOEXEC));
    char Text[64] = {};
    if (Status.Get() < 0 || ::read(Status.Get(), Text, sizeof Text - 1) <= 0) return 0;
    return std::strtoull(Text, nullptr, 10) * std::uint64_t(::sysconf(_SC_PAGESIZE));
}

bool WriteAll(int Descriptor, const std::uint8_t* Data, std::size_t Size) {
    while (Size > 0) {
        const ssize_t Written = ::write(Descriptor, Data, Size);
        if (Written < 0 && errno == EINTR) continue;
        if (Written <= 0) return false;
        Data += Written;
        Size -= std::size_t(Written);
    }
    return true;
}

[[noreturn]] void RunChild(const std::function<std::vector<std::uint8_t>()>& Work, std::uint64_t MemoryLimit, int Output) {
    // A crash ends the child quietly: handlers the program installed (a crash reporter, a
    // sanitizer's report) belong to the parent.
    for (const int Signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT, SIGPIPE}) std::signal(Signal, SIG_DFL);
    const int Nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (Nowhere >= 0) ::dup2(Nowhere, STDERR_FILENO);
    const rlimit NoCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &NoCore);
#ifndef STEREO_ADDRESS_SANITIZER
    if (MemoryLimit > 0) {
        const rlimit Memory{MemoryLimit, MemoryLimit};
        ::setrlimit(RLIMIT_AS, &Memory);
    }
#else
    (void)MemoryLimit;
#endif
    bool Done = false;
    try {
        const std::vector<std::uint8_t> Answer = Work();
        Done = WriteAll(Output, Answer.data(), Answer.size());
    } catch (...) {
    }
    // No exit handlers: they belong to the parent, whose state the child only copies.
    ::_exit(Done ? 0 : 1);
}

std::string HowItEnded(int Status) {
    if (WIFSIGNALED(Status)) return std::string("the child process stopped with signal ") + std::to_string(WTERMSIG(Status)) + " (" + strsignal(WTERMSIG(Status)) + ")";
    return "the child process stopped with exit code " + std::to_string(WEXITSTATUS(Status));
}

pid_t WaitFor(pid_t Child, int& Status) {
    pid_t Result;
    do Result = ::waitpid(Child, &Status, 0);
    while (Result < 0 && errno == EINTR);
    return Result;
}

}  // namespace

TChildOutcome RunInChildProcess(const std::function<std::vector<std::uint8_t>()>& Work, const TChildLimits& Limits) {
    int Ends[2];
    const auto Refuse = [] {
        return ERefusal(std::string("Kein Kindprozess möglich: ") + std::strerror(errno), TRefusal::NoChildProcess,
                        {.Detail = std::strerror(errno)});
    };
    if (::pipe2(Ends, O_CLOEXEC) != 0) throw Refuse();
    TFileDescriptor Reading(Ends[0]), Writing(Ends[1]);
    const std::uint64_t InUse = AddressSpaceInUse();
    const pid_t Child = ::fork();
    if (Child < 0) throw Refuse();
    if (Child == 0) RunChild(Work, InUse > 0 ? InUse + Limits.Memory : 0, Writing.Get());
    Writing.Close();

    TChildOutcome Outcome{TChildEnd::Finished, {}, {}};
    const auto Deadline = std::chrono::steady_clock::now() + Limits.Time;
    std::uint8_t Piece[65536];
    for (bool Complete = false; !Complete;) {
        const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - std::chrono::steady_clock::now());
        pollfd Wait{Reading.Get(), POLLIN, 0};
        const int Ready = Left.count() > 0 ? ::poll(&Wait, 1, int(std::min<std::int64_t>(Left.count(), 1 << 30))) : 0;
        const ssize_t Got = Ready > 0 ? ::read(Reading.Get(), Piece, sizeof Piece) : 0;
        if (Ready == 0) {
            Outcome = {TChildEnd::TimedOut, {}, "the child process took longer than " + std::to_string(Limits.Time.count()) + " ms"};
        } else if (Ready < 0 || Got < 0) {
            if (errno == EINTR) continue;
            Outcome = {TChildEnd::Failed, {}, std::string("the child process's answer cannot be read: ") + std::strerror(errno)};
        } else if (Outcome.Output.size() + std::size_t(Got) > Limits.Output) {
            Outcome = {TChildEnd::Failed, {}, "the child process's answer exceeds " + std::to_string(Limits.Output) + " bytes"};
        } else {
            Outcome.Output.insert(Outcome.Output.end(), Piece, Piece + Got);
            Complete = Got == 0;
            continue;
        }
        ::kill(Child, SIGKILL);
        break;
    }
    int Status = 0;
    // ECHILD: the program lets children be reaped on their own; the answer's completeness
    // then decides.
    if (WaitFor(Child, Status) == Child && Outcome.End == TChildEnd::Finished && !(WIFEXITED(Status) && WEXITSTATUS(Status) == 0))
        Outcome = {TChildEnd::Failed, {}, HowItEnded(Status)};
    return Outcome;
}
