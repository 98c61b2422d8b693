// Animated lossless WebP through libwebp: each frame encoded whole and pushed to the
// animation muxer, which keeps the compressed frames until Finish. Every frame stays a frame
// of its own, also one equal to the one before it, so that the frame count is the one rendered.
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

struct TMuxDelete {
    void operator()(WebPMux* Mux) const { WebPMuxDelete(Mux); }
};

[[noreturn]] void EncoderFailed(const std::string& Reason) { throw Exception("WebP-Animation kann nicht kodiert werden: " + Reason); }

class TWebPWriter : public TAnimationWriter {
public:
    TWebPWriter(const std::string& Path, const TAnimationSettings& Settings) : FFile(Path), FSettings(Settings), FMux(WebPMuxNew()) {
        if (!FMux || !WebPConfigInit(&FConfig)) EncoderFailed("libwebp version mismatch");
        FConfig.lossless = 1;
        FConfig.method = 0;  // the fastest; dots leave little for a slower method to find
        FConfig.quality = 0;
        FConfig.exact = 1;
    }

    void AddFrame(const TBitmap& Frame) override {
        TBitmap Scratch;
        const TBitmap& Frame24 = As24Bit(Frame, Scratch);
        WebPPicture Picture;
        if (!WebPPictureInit(&Picture)) EncoderFailed("libwebp version mismatch");
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
        WebPMemoryWriter Encoded;
        WebPMemoryWriterInit(&Encoded);
        Picture.writer = WebPMemoryWrite;
        Picture.custom_ptr = &Encoded;
        const bool Done = WebPEncode(&FConfig, &Picture);
        const WebPEncodingError Error = Picture.error_code;
        WebPPictureFree(&Picture);
        WebPMuxFrameInfo Info{};
        Info.bitstream = {Encoded.mem, Encoded.size};
        Info.duration = FrameDuration(FFrames++, FSettings.Fps, Milliseconds);
        Info.id = WEBP_CHUNK_ANMF;
        Info.dispose_method = WEBP_MUX_DISPOSE_NONE;
        Info.blend_method = WEBP_MUX_NO_BLEND;
        const bool Pushed = Done && WebPMuxPushFrame(FMux.get(), &Info, 1) == WEBP_MUX_OK;
        WebPMemoryWriterClear(&Encoded);
        if (!Done) EncoderFailed("error " + std::to_string(int(Error)));
        if (!Pushed) EncoderFailed("frame not taken");
    }

    void Finish() override {
        const WebPMuxAnimParams Loop{0xFF000000u, 0};  // black background, looping for ever
        WebPData Data;
        WebPDataInit(&Data);
        if (WebPMuxSetAnimationParams(FMux.get(), &Loop) != WEBP_MUX_OK || WebPMuxAssemble(FMux.get(), &Data) != WEBP_MUX_OK)
            EncoderFailed("frames not assembled");
        FMux.reset();
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
    std::unique_ptr<WebPMux, TMuxDelete> FMux;
    WebPConfig FConfig;
    std::int64_t FFrames = 0;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenWebPWriter(const std::string& Path, const TAnimationSettings& Settings) {
    return std::make_unique<TWebPWriter>(Path, Settings);
}
