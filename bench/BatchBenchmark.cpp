// Wall time of a batch of 50 renders at the default size through the command line, one
// file at a time and two at once (-j 1, -j 2); on two cores -j 2 should take at most 0.6 of
// -j 1. The depth maps are the built-in samples written to files. Case names:
// Batch/50 files/<jobs>; each is repeated, and the minimum is reported beside the mean.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "PictureFiles.h"
#include "Run.h"
#include "SampleLibrary.h"
#include "SampleLoaders.h"

namespace fs = std::filesystem;

namespace {

constexpr int Files = 50;

// A temporary folder with the depth maps, removed at the end.
class TBatchFolder {
public:
    TBatchFolder() {
        std::string Template = (fs::temp_directory_path() / "stereogramm-batch-XXXXXX").string();
        if (!mkdtemp(Template.data())) return;
        FPath = Template;
        for (int N = 0; N < Files; ++N) {
            TPicture Depth;
            LoadSampleDepthMap(Depth, SampleResourceName(TPictureRole::DepthMap, N % SampleCount(TPictureRole::DepthMap) + 1));
            FFiles.push_back((FPath / ("depth" + std::to_string(N) + ".png")).string());
            SaveBitmapToFile(Depth.Bitmap(), FFiles.back());
        }
    }
    TBatchFolder(const TBatchFolder&) = delete;
    TBatchFolder& operator=(const TBatchFolder&) = delete;
    ~TBatchFolder() {
        std::error_code Ignored;
        if (!FPath.empty()) fs::remove_all(FPath, Ignored);
    }
    const fs::path& Path() const { return FPath; }
    const std::vector<std::string>& DepthFiles() const { return FFiles; }

private:
    fs::path FPath;
    std::vector<std::string> FFiles;
};

void Batch(benchmark::State& State) {
    static const TBatchFolder Folder;
    std::vector<std::string> Args{"-q", "--seed", "1", "-j", std::to_string(State.range(0)), "-o", (Folder.Path() / "out/").string()};
    Args.insert(Args.end(), Folder.DepthFiles().begin(), Folder.DepthFiles().end());
    for (auto _ : State)
        if (cli::Run(Args) != cli::ExitWritten) State.SkipWithError("the batch failed");
}

BENCHMARK(Batch)
    ->Name("Batch/50 files")
    ->Arg(1)
    ->Arg(2)
    ->Unit(benchmark::kSecond)
    ->UseRealTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", [](const std::vector<double>& Times) { return *std::min_element(Times.begin(), Times.end()); });

}  // namespace

