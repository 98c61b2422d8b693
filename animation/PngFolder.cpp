// A folder of numbered PNG frames, frame-0001.png onwards, each with the text chunks of its
// frame, the first with the animation's record besides. Each frame is saved whole or not at
// all, a few at once on other threads, since each goes to a file of its own; a folder given
// up before Finish loses the frames this writer put there.
#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <future>
#include <thread>
#include <vector>

#include "AnimationFormats.h"
#include "Exception.h"
#include "PictureFiles.h"

namespace {

class TPngFolderWriter : public TAnimationWriter {
public:
    TPngFolderWriter(std::string Folder, const TAnimationSettings& Settings) : FFolder(std::move(Folder)), FSettings(Settings) {
        std::error_code Error;
        std::filesystem::create_directories(FFolder, Error);
        if (Error) throw EFileError("Ordner kann nicht angelegt werden: " + FFolder, FFolder, Error.value());
    }
    ~TPngFolderWriter() override {
        for (std::future<void>& Saving : FSaving) Saving.wait();
        if (FFinished) return;
        for (const std::string& Name : FWritten) std::remove(Name.c_str());
    }

    void AddFrame(const TBitmap& Frame) override {
        const std::size_t Number = FWritten.size();
        char Name[32];
        std::snprintf(Name, sizeof Name, "frame-%04zu.png", Number + 1);
        const std::string Path = (std::filesystem::path(FFolder) / Name).string();
        TPngTextChunks Text = Number < FSettings.FrameTexts.size() ? FSettings.FrameTexts[Number] : TPngTextChunks{};
        // The first frame also records how the whole animation was made.
        if (Number == 0)
            for (const auto& Entry : FSettings.Record)
                if (std::ranges::find(Text, Entry.first, &TPngTextChunks::value_type::first) == Text.end()) Text.push_back(Entry);
        FWritten.push_back(Path);
        FSaving.push_back(std::async(std::launch::async, [Frame, Path, Text] { SaveBitmapToFile(Frame, Path, Text, {.FastPng = true}); }));
        if (FSaving.size() > std::max(1u, std::thread::hardware_concurrency())) SavedOldest();
    }
    void Finish() override {
        while (!FSaving.empty()) SavedOldest();
        FFinished = true;
    }

private:
    // Waits for the oldest frame in writing; raises its failure.
    void SavedOldest() {
        std::future<void> Oldest = std::move(FSaving.front());
        FSaving.pop_front();
        Oldest.get();
    }

    std::string FFolder;
    TAnimationSettings FSettings;
    std::vector<std::string> FWritten;  // every frame begun, so that giving up removes them all
    std::deque<std::future<void>> FSaving;
    bool FFinished = false;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenPngFolderWriter(const std::string& Folder, const TAnimationSettings& Settings) {
    return std::make_unique<TPngFolderWriter>(Folder, Settings);
}
