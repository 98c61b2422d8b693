// Work that may crash, hang or exhaust memory, done in a child process so that none of it
// can happen to the program itself.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct TChildLimits {
    std::chrono::milliseconds Time;  // wall-clock time until the child is killed
    std::uint64_t Memory;            // address space the child may add to what it starts with
    std::size_t Output;              // bytes the child may hand back
};

enum class TChildEnd : std::uint8_t {
    Finished,    // Output holds what the work answered
    Failed,      // the child crashed, was killed or exceeded its memory or output
    TimedOut,    // the child was killed when its time was up
};

struct TChildOutcome {
    TChildEnd End;
    std::vector<std::uint8_t> Output;
    std::string Detail;  // English, for Failed and TimedOut: the signal or exit code, or the limit
};

// Runs Work in a child process forked from this one and waits for it within Limits. The
// child sees a copy of this process's memory, writes Work's answer to a pipe and leaves
// without running any exit handlers; its standard error goes nowhere. An exception that
// leaves Work counts as a failure. Raises Exception when no child can be started.
TChildOutcome RunInChildProcess(const std::function<std::vector<std::uint8_t>()>& Work, const TChildLimits& Limits);
