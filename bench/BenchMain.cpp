// The benchmarks' main: the memory set up as the programs' main sets it up.
#include <benchmark/benchmark.h>

#include "MemoryReuse.h"

int main(int argc, char** argv) {
    KeepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
