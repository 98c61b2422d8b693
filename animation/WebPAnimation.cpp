// Animated lossless WebP through libwebp's animation encoder. Every frame is a key frame:
// the dots of consecutive frames share nothing worth a difference frame, and looking for
// one would only cost time. The encoder keeps the compressed frames until Finish.
#include <cerrno>
#include <cstdio>
#include <memory>
#include <webp/encode.h>
#include <webp/mux.h>

#include "AnimationFormats.h"
#include "Bitmap24.h"
#include "Exception.h"
#include "FileBeside.h"
#include "FrameTiming.h"

namespace {

constexpr int Milliseconds = 1000;

struct TEncoderDelete {
    void operator()(WebPAnimEncoder* Encoder) const { WebPAnimEncoderDelete(Encoder); }
};

[[noreturn]] void EncoderFailed(const WebPAnimEncoder* Encoder) {
    const char* Reason = Encoder ? WebPAnimEncoderGetError(const_cast<WebPAnimEncoder*>(Encoder)) : nullptr;
    throw Exception(std::string("WebP-Animation kann nicht kodiert werden") + (Reason && *Reason ? ": " + std::string(Reason) : ""));
}

class TWebPWriter : public TAnimationWriter {
public:
    TWebPWriter(const std::string& Path, const TAnimationSettings& Settings) : FFile(Path), FSettings(Settings) {
        WebPAnimEncoderOptions Options;
        if (!WebPAnimEncoderOptionsInit(&Options)) EncoderFailed(nullptr);
        Options.kmin = 0;
        Options.kmax = 1;
        Options.allow_mixed = 0;
        FEncoder.reset(WebPAnimEncoderNew(Settings.Width, Settings.Height, &Options));
        if (!FEncoder || !WebPConfigInit(&FConfig)) EncoderFailed(nullptr);
        FConfig.lossless = 1;
        FConfig.method = 0;  // the fastest; dots leave little for a slower method to find
        FConfig.quality = 0;
        FConfig.exact = 1;
    }

    void AddFrame(const TBitmap& Frame) override {
        TBitmap Scratch;
        const TBitmap& Frame24 = As24Bit(Frame, Scratch);
        WebPPicture Picture;
        if (!WebPPictureInit(&Picture)) EncoderFailed(nullptr);
        Picture.use_argb = 1;
        Picture.width = FSettings.Width;
        Picture.height = FSettings.Height;
        if (!WebPPictureAlloc(&Picture)) throw std::bad_alloc();
        for (int Y = 0; Y < Picture.height; ++Y) {
            const std::uint8_t* In = Frame24.ScanLine(Y);
            std::uint32_t* Out = Picture.argb + std::size_t(Y) * std::size_t(Picture.argb_stride);
            for (int X = 0; X < Picture.width; ++X, In += 3)
                Out[X] = 0xFF000000u | std::uint32_t(In[2]) << 16 | std::uint32_t(In[1]) << 8 | In[0];
        }
        const int Timestamp = int(FrameStart(FFrames++, FSettings.Fps, Milliseconds));
        const bool Added = WebPAnimEncoderAdd(FEncoder.get(), &Picture, Timestamp, &FConfig);
        WebPPictureFree(&Picture);
        if (!Added) EncoderFailed(FEncoder.get());
    }

    void Finish() override {
        if (!WebPAnimEncoderAdd(FEncoder.get(), nullptr, int(FrameStart(FFrames, FSettings.Fps, Milliseconds)), nullptr))
            EncoderFailed(FEncoder.get());
        WebPData Data;
        WebPDataInit(&Data);
        if (!WebPAnimEncoderAssemble(FEncoder.get(), &Data)) EncoderFailed(FEncoder.get());
        FEncoder.reset();
        std::FILE* Out = std::fopen(FFile.TemporaryName().c_str(), "wb");
        const bool Written = Out && std::fwrite(Data.bytes, 1, Data.size, Out) == Data.size;
        const int ErrorNumber = errno;
        WebPDataClear(&Data);
        if (Out && std::fclose(Out) != 0 && Written) FFile.Failed(errno);
        if (!Written) FFile.Failed(ErrorNumber);
        FFile.Commit();
    }

private:
    TFileBeside FFile;
    TAnimationSettings FSettings;
    std::unique_ptr<WebPAnimEncoder, TEncoderDelete> FEncoder;
    WebPConfig FConfig;
    std::int64_t FFrames = 0;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenWebPWriter(const std::string& Path, const TAnimationSettings& Settings) {
    return std::make_unique<TWebPWriter>(Path, Settings);
}
