// Animated GIF through giflib: each frame a full picture with a palette of its own, shown
// for its share of the frame rate in hundredths of a second, the whole looping for ever;
// comments at the start record how it was made.
// Finding a frame's palette takes longer than anything else, so that runs for a few frames
// at once on other threads while the frames before them are written.
#include <cerrno>
#include <deque>
#include <future>
#include <gif_lib.h>
#include <thread>
#include <memory>
#include <vector>

#include "AnimationFormats.h"
#include "Exception.h"
#include "FileBeside.h"
#include "FrameTiming.h"
#include "IndexedFrame.h"

namespace {

constexpr int GifUnitsPerSecond = 100;

struct TMapDelete {
    void operator()(ColorMapObject* Map) const { GifFreeMapObject(Map); }
};

class TGifWriter : public TAnimationWriter {
public:
    TGifWriter(const std::string& Path, const TAnimationSettings& Settings) : FFile(Path), FSettings(Settings) {
        int Error = 0;
        FGif = EGifOpenFileName(FFile.TemporaryName().c_str(), false, &Error);
        if (!FGif) FFile.Failed(errno);
        EGifSetGifVersion(FGif, true);
        if (EGifPutScreenDesc(FGif, Settings.Width, Settings.Height, 8, 0, nullptr) == GIF_ERROR) Fail();
        // The application extension that makes viewers loop: NETSCAPE2.0, sub-block 1, count 0.
        static const GifByteType Netscape[] = {'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0'};
        static const GifByteType LoopForever[] = {1, 0, 0};
        if (EGifPutExtensionLeader(FGif, APPLICATION_EXT_FUNC_CODE) == GIF_ERROR ||
            EGifPutExtensionBlock(FGif, sizeof Netscape, Netscape) == GIF_ERROR ||
            EGifPutExtensionBlock(FGif, sizeof LoopForever, LoopForever) == GIF_ERROR || EGifPutExtensionTrailer(FGif) == GIF_ERROR)
            Fail();
        // How the animation was made, one comment "Key: text" for each record.
        for (const auto& [Key, Text] : Settings.Record)
            if (EGifPutComment(FGif, (Key + ": " + Text).c_str()) == GIF_ERROR) Fail();
    }
    ~TGifWriter() override { Close(); }

    void AddFrame(const TBitmap& Frame) override {
        FIndexing.push_back(std::async(std::launch::async, [Copy = Frame] { return IndexFrame(Copy); }));
        if (FIndexing.size() > FramesIndexedAtOnce()) WriteOldest();
    }

    void Finish() override {
        while (!FIndexing.empty()) WriteOldest();
        if (!Close()) FFile.Failed(errno);
        FFile.Commit();
    }

private:
    static std::size_t FramesIndexedAtOnce() { return std::max(1u, std::thread::hardware_concurrency()); }

    void WriteOldest() {
        std::future<TIndexedFrame> Oldest = std::move(FIndexing.front());
        FIndexing.pop_front();
        WriteFrame(Oldest.get());
    }

    void WriteFrame(const TIndexedFrame& Indexed) {
        GraphicsControlBlock Control{};
        Control.DisposalMode = DISPOSE_DO_NOT;
        Control.DelayTime = FrameDuration(FFrames++, FSettings.Fps, GifUnitsPerSecond);
        Control.TransparentColor = NO_TRANSPARENT_COLOR;
        GifByteType Extension[4];
        const std::size_t Length = EGifGCBToExtension(&Control, Extension);
        if (EGifPutExtension(FGif, GRAPHICS_EXT_FUNC_CODE, int(Length), Extension) == GIF_ERROR) Fail();
        int Size = 2;
        while (Size < int(Indexed.Palette.size())) Size *= 2;
        const std::unique_ptr<ColorMapObject, TMapDelete> Map(GifMakeMapObject(Size, nullptr));
        if (!Map) throw std::bad_alloc();
        for (std::size_t I = 0; I < Indexed.Palette.size(); ++I)
            Map->Colors[I] = {RedOf(Indexed.Palette[I]), GreenOf(Indexed.Palette[I]), BlueOf(Indexed.Palette[I])};
        if (EGifPutImageDesc(FGif, 0, 0, FSettings.Width, FSettings.Height, false, Map.get()) == GIF_ERROR) Fail();
        std::vector<GifPixelType> Line(std::size_t(FSettings.Width));
        for (int Y = 0; Y < FSettings.Height; ++Y) {
            const std::uint8_t* Row = Indexed.Pixels.data() + std::size_t(Y) * std::size_t(FSettings.Width);
            Line.assign(Row, Row + FSettings.Width);
            if (EGifPutLine(FGif, Line.data(), FSettings.Width) == GIF_ERROR) Fail();
        }
    }

    [[noreturn]] void Fail() { FFile.Failed(errno); }
    // Writes the trailer and closes the file; false when that failed.
    bool Close() {
        if (!FGif) return true;
        int Error = 0;
        const bool Closed = EGifCloseFile(FGif, &Error) == GIF_OK;
        FGif = nullptr;
        return Closed;
    }

    TFileBeside FFile;
    TAnimationSettings FSettings;
    GifFileType* FGif = nullptr;
    std::int64_t FFrames = 0;
    std::deque<std::future<TIndexedFrame>> FIndexing;  // the frames after the last written, in order
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenGifWriter(const std::string& Path, const TAnimationSettings& Settings) {
    return std::make_unique<TGifWriter>(Path, Settings);
}
