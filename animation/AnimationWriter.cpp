#include "AnimationWriter.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include "AnimationFormats.h"
#include "Exception.h"

namespace {

enum class TAnimationFormat { None, Gif, WebP, Mp4, WebM, PngFolder };

TAnimationFormat FormatOfPath(const std::string& Path) {
    if (!Path.empty() && Path.back() == '/') return TAnimationFormat::PngFolder;
    std::string Extension = std::filesystem::path(Path).extension().string();
    std::transform(Extension.begin(), Extension.end(), Extension.begin(), [](unsigned char C) { return char(std::tolower(C)); });
    if (Extension == ".gif") return TAnimationFormat::Gif;
    if (Extension == ".webp") return TAnimationFormat::WebP;
    if (Extension == ".mp4") return TAnimationFormat::Mp4;
    if (Extension == ".webm") return TAnimationFormat::WebM;
    return TAnimationFormat::None;
}

// Opens its writer at the first frame, at that frame's size.
class TSizedByFirstFrame : public TAnimationWriter {
public:
    TSizedByFirstFrame(std::string Path, TAnimationSettings Settings) : FPath(std::move(Path)), FSettings(std::move(Settings)) {}
    void AddFrame(const TBitmap& Frame) override {
        if (!FWriter) {
            FSettings.Width = Frame.Width();
            FSettings.Height = Frame.Height();
            FWriter = OpenAnimationWriter(FPath, FSettings);
        } else if (Frame.Width() != FSettings.Width || Frame.Height() != FSettings.Height) {
            throw EFrameSizeChanged(FFrames + 1, Frame.Width(), Frame.Height(), FSettings.Width, FSettings.Height);
        }
        FWriter->AddFrame(Frame);
        ++FFrames;
    }
    void Finish() override {
        if (FWriter) FWriter->Finish();
    }

private:
    std::string FPath;
    TAnimationSettings FSettings;
    std::unique_ptr<TAnimationWriter> FWriter;
    int FFrames = 0;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenAnimationWriterAtFirstFrame(const std::string& Path, const TAnimationSettings& Settings) {
    return std::make_unique<TSizedByFirstFrame>(Path, Settings);
}

bool IsAnimationPath(const std::string& Path) { return FormatOfPath(Path) != TAnimationFormat::None; }

std::unique_ptr<TAnimationWriter> OpenAnimationWriter(const std::string& Path, const TAnimationSettings& Settings) {
    if (Settings.Width < 1 || Settings.Height < 1 || !(Settings.Fps > 0))
        throw Exception("Animation ohne Bildgröße oder Bildrate: " + Path);
    switch (FormatOfPath(Path)) {
        case TAnimationFormat::Gif: return OpenGifWriter(Path, Settings);
        case TAnimationFormat::WebP: return OpenWebPWriter(Path, Settings);
        case TAnimationFormat::Mp4: return OpenVideoWriter(Path, Settings, false);
        case TAnimationFormat::WebM: return OpenVideoWriter(Path, Settings, true);
        case TAnimationFormat::PngFolder: return OpenPngFolderWriter(Path, Settings);
        case TAnimationFormat::None: break;
    }
    throw Exception("Unbekanntes Animationsformat: " + Path);
}
