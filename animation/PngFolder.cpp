// A folder of numbered PNG frames, frame-0001.png onwards, each with the text chunks of its
// frame. Each frame is saved whole or not at all; a folder given up before Finish loses the
// frames this writer put there.
#include <cstdio>
#include <filesystem>
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
        if (FFinished) return;
        for (const std::string& Name : FWritten) std::remove(Name.c_str());
    }

    void AddFrame(const TBitmap& Frame) override {
        const std::size_t Number = FWritten.size();
        char Name[32];
        std::snprintf(Name, sizeof Name, "frame-%04zu.png", Number + 1);
        const std::string Path = (std::filesystem::path(FFolder) / Name).string();
        static const TPngTextChunks NoText;
        SaveBitmapToFile(Frame, Path, Number < FSettings.FrameTexts.size() ? FSettings.FrameTexts[Number] : NoText);
        FWritten.push_back(Path);
    }
    void Finish() override { FFinished = true; }

private:
    std::string FFolder;
    TAnimationSettings FSettings;
    std::vector<std::string> FWritten;
    bool FFinished = false;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenPngFolderWriter(const std::string& Folder, const TAnimationSettings& Settings) {
    return std::make_unique<TPngFolderWriter>(Folder, Settings);
}
