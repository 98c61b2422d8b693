// MP4 (H.264) and WebM (VP9) through FFmpeg's libavformat, libavcodec and libswscale. The
// colours stay at full resolution (4:4:4): halving them would smear the single-pixel dots
// whose positions carry the relief.
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}
#include <memory>

#include "AnimationFormats.h"
#include "Bitmap24.h"
#include "Exception.h"
#include "FfmpegLog.h"
#include "FileBeside.h"

namespace {

// How each codec is driven: a constant quality at which the dots come back close enough
// that the relief is seen as in the still picture, at the codec's fastest settings.
struct TVideoCodec {
    const char* Container;
    const char* Encoder;
    std::initializer_list<std::pair<const char*, const char*>> Options;
};

const TVideoCodec H264{"mp4", "libx264", {{"preset", "ultrafast"}, {"crf", "14"}}};
const TVideoCodec Vp9{"webm", "libvpx-vp9", {{"deadline", "realtime"}, {"cpu-used", "8"}, {"crf", "16"}, {"row-mt", "1"}}};

std::string ErrorText(int Error) {
    char Text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(Error, Text, sizeof Text);
    return Text;
}

[[noreturn]] void VideoFailed(const std::string& What, int Error = 0) {
    throw Exception("Video kann nicht kodiert werden: " + What + (Error ? " (" + ErrorText(Error) + ")" : ""));
}

struct TAvDelete {
    void operator()(AVCodecContext* C) const { avcodec_free_context(&C); }
    void operator()(AVFrame* F) const { av_frame_free(&F); }
    void operator()(AVPacket* P) const { av_packet_free(&P); }
    void operator()(SwsContext* S) const { sws_freeContext(S); }
};

class TVideoWriter : public TAnimationWriter {
public:
    TVideoWriter(const std::string& Path, const TAnimationSettings& Settings, const TVideoCodec& Codec)
        : FFile(Path), FSettings(Settings) {
        QuietFfmpeg();
        if (avformat_alloc_output_context2(&FFormat, nullptr, Codec.Container, FFile.TemporaryName().c_str()) < 0 || !FFormat)
            VideoFailed(Codec.Container);
        const AVCodec* Encoder = avcodec_find_encoder_by_name(Codec.Encoder);
        if (!Encoder) VideoFailed(std::string(Codec.Encoder) + " fehlt");
        FEncoder.reset(avcodec_alloc_context3(Encoder));
        FFrame.reset(av_frame_alloc());
        FPacket.reset(av_packet_alloc());
        if (!FEncoder || !FFrame || !FPacket) throw std::bad_alloc();
        const AVRational Rate = av_d2q(Settings.Fps, 100000);
        FEncoder->width = Settings.Width;
        FEncoder->height = Settings.Height;
        FEncoder->pix_fmt = AV_PIX_FMT_YUV444P;
        FEncoder->time_base = av_inv_q(Rate);
        FEncoder->framerate = Rate;
        FEncoder->color_range = AVCOL_RANGE_MPEG;
        FEncoder->colorspace = AVCOL_SPC_SMPTE170M;
        FEncoder->thread_count = 0;
        if (FFormat->oformat->flags & AVFMT_GLOBALHEADER) FEncoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
        for (const auto& [Name, Value] : Codec.Options) av_opt_set(FEncoder->priv_data, Name, Value, 0);
        if (const int E = avcodec_open2(FEncoder.get(), Encoder, nullptr); E < 0) VideoFailed(Codec.Encoder, E);
        AVStream* Stream = avformat_new_stream(FFormat, nullptr);
        if (!Stream) throw std::bad_alloc();
        Stream->time_base = FEncoder->time_base;
        Stream->avg_frame_rate = Rate;
        if (const int E = avcodec_parameters_from_context(Stream->codecpar, FEncoder.get()); E < 0) VideoFailed(Codec.Container, E);
        FStream = Stream;
        FFrame->format = FEncoder->pix_fmt;
        FFrame->width = Settings.Width;
        FFrame->height = Settings.Height;
        if (av_frame_get_buffer(FFrame.get(), 0) < 0) throw std::bad_alloc();
        FScale.reset(sws_getContext(Settings.Width, Settings.Height, AV_PIX_FMT_BGR24, Settings.Width, Settings.Height, AV_PIX_FMT_YUV444P,
                                    SWS_POINT, nullptr, nullptr, nullptr));
        if (!FScale) VideoFailed("swscale");
        if (const int E = avio_open(&FFormat->pb, FFile.TemporaryName().c_str(), AVIO_FLAG_WRITE); E < 0) FFile.Failed(AVUNERROR(E));
        // How the video was made, as the container's metadata under the record's own keys
        // (MP4 keeps keys of its own only as metadata tags).
        for (const auto& [Key, Text] : Settings.Record) av_dict_set(&FFormat->metadata, Key.c_str(), Text.c_str(), 0);
        AVDictionary* Muxing = nullptr;
        av_dict_set(&Muxing, "movflags", "use_metadata_tags", 0);
        const int Written = avformat_write_header(FFormat, &Muxing);
        av_dict_free(&Muxing);
        if (Written < 0) WriteFailed(Written);
    }
    ~TVideoWriter() override {
        if (FFormat && FFormat->pb) avio_closep(&FFormat->pb);
        avformat_free_context(FFormat);
    }

    void AddFrame(const TBitmap& Frame) override {
        TBitmap Scratch;
        const TBitmap& Frame24 = As24Bit(Frame, Scratch);
        if (const int E = av_frame_make_writable(FFrame.get()); E < 0) VideoFailed("frame", E);
        const std::uint8_t* Source[] = {Frame24.ScanLine(0)};
        const int Stride[] = {Frame24.RowBytes()};
        sws_scale(FScale.get(), Source, Stride, 0, FSettings.Height, FFrame->data, FFrame->linesize);
        FFrame->pts = FFrames++;
        Encode(FFrame.get());
    }

    void Finish() override {
        Encode(nullptr);
        if (const int E = av_write_trailer(FFormat); E < 0) WriteFailed(E);
        if (const int E = avio_closep(&FFormat->pb); E < 0) FFile.Failed(AVUNERROR(E));
        FFile.Commit();
    }

private:
    [[noreturn]] void WriteFailed(int Error) {
        // FFmpeg's codes for the system's reasons are negated errno values.
        if (Error > -4096 && Error < 0) FFile.Failed(AVUNERROR(Error));
        VideoFailed(FFormat->oformat->name, Error);
    }

    // Hands Frame (nullptr at the end) to the encoder and writes every packet it gives back.
    void Encode(const AVFrame* Frame) {
        if (const int E = avcodec_send_frame(FEncoder.get(), Frame); E < 0) VideoFailed(FEncoder->codec->name, E);
        for (;;) {
            const int E = avcodec_receive_packet(FEncoder.get(), FPacket.get());
            if (E == AVERROR(EAGAIN) || E == AVERROR_EOF) return;
            if (E < 0) VideoFailed(FEncoder->codec->name, E);
            av_packet_rescale_ts(FPacket.get(), FEncoder->time_base, FStream->time_base);
            FPacket->stream_index = FStream->index;
            if (const int W = av_interleaved_write_frame(FFormat, FPacket.get()); W < 0) WriteFailed(W);
        }
    }

    TFileBeside FFile;
    TAnimationSettings FSettings;
    AVFormatContext* FFormat = nullptr;
    AVStream* FStream = nullptr;
    std::unique_ptr<AVCodecContext, TAvDelete> FEncoder;
    std::unique_ptr<AVFrame, TAvDelete> FFrame;
    std::unique_ptr<AVPacket, TAvDelete> FPacket;
    std::unique_ptr<SwsContext, TAvDelete> FScale;
    std::int64_t FFrames = 0;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenVideoWriter(const std::string& Path, const TAnimationSettings& Settings, bool UseVp9) {
    return std::make_unique<TVideoWriter>(Path, Settings, UseVp9 ? Vp9 : H264);
}
