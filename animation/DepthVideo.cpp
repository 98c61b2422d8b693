#include "DepthVideo.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libswscale/swscale.h>
}
#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

#include "Exception.h"
#include "FfmpegLog.h"

namespace {

using TClock = std::chrono::steady_clock;

constexpr int InMemoryBufferBytes = 64 * 1024;
// A video whose demuxer keeps failing without giving a frame is given up after this many tries.
constexpr int MaxFruitlessReads = 1000;
// What FFmpeg reads to learn the streams: enough for any depth video, and bounded, so that a
// crafted header cannot make it read and decode for long.
constexpr std::int64_t StreamProbeBytes = 2 * 1024 * 1024;
constexpr std::int64_t AnalyzeMicroseconds = 2 * AV_TIME_BASE;
constexpr int MaxStreams = 64;
// More frames than a container may claim, so that a count or a length out of all reason
// stays a number.
constexpr double MostFramesExpected = 1e12;

std::string ErrorText(int Error) {
    char Text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(Error, Text, sizeof Text);
    return Text;
}

[[noreturn]] void Damaged(const std::string& Detail) {
    throw EInvalidGraphic("Video ist beschädigt", TReadFailure::Damaged, "video", Detail);
}

struct TMemory {
    std::span<const std::uint8_t> Bytes;
    std::int64_t Position = 0;
    TClock::time_point Deadline = TClock::time_point::max();
};

int ReadMemory(void* Opaque, std::uint8_t* Buffer, int Size) {
    TMemory& M = *static_cast<TMemory*>(Opaque);
    if (TClock::now() > M.Deadline) return AVERROR_EXIT;
    const std::int64_t Left = std::int64_t(M.Bytes.size()) - M.Position;
    if (Left <= 0) return AVERROR_EOF;
    const int Count = int(std::min<std::int64_t>(Size, Left));
    std::memcpy(Buffer, M.Bytes.data() + M.Position, std::size_t(Count));
    M.Position += Count;
    return Count;
}

std::int64_t SeekMemory(void* Opaque, std::int64_t Offset, int Whence) {
    TMemory& M = *static_cast<TMemory*>(Opaque);
    const std::int64_t Size = std::int64_t(M.Bytes.size());
    std::int64_t To = 0;
    switch (Whence & ~AVSEEK_FORCE) {
        case AVSEEK_SIZE: return Size;
        case SEEK_SET: To = Offset; break;
        case SEEK_CUR: To = M.Position + Offset; break;
        case SEEK_END: To = Size + Offset; break;
        default: return AVERROR(EINVAL);
    }
    if (To < 0 || To > Size) return AVERROR(EINVAL);
    return M.Position = To;
}

class TFfmpegVideo : public TDepthVideo {
public:
    // Reads from FileName, or from Bytes when FileName is empty.
    TFfmpegVideo(const std::string& FileName, std::span<const std::uint8_t> Bytes, std::chrono::milliseconds StepTime)
        : FMemory{Bytes}, FStepTime(StepTime) {
        try {
            StartStep();
            Open(FileName);
        } catch (...) {
            Release();
            throw;
        }
    }
    ~TFfmpegVideo() override { Release(); }

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    double Fps() const override { return FFps; }
    std::int64_t ExpectedFrames() const override {
        if (FExpectedFrames > 0) return std::int64_t(std::min<double>(double(FExpectedFrames), MostFramesExpected));
        if (FFormat->duration <= 0 || FFps <= 0) return 0;
        return std::int64_t(std::min(double(FFormat->duration) * FFps / AV_TIME_BASE + 0.5, MostFramesExpected));
    }
    bool CutShort() const override { return FCutShort; }

    std::optional<TBitmap> NextFrame() override {
        StartStep();
        if (!Decoded()) {
            if (FFrames == 0) Damaged(FFailure.empty() ? "no frame" : FFailure);
            FCutShort = FCutShort || (FExpectedFrames > 0 && FFrames < FExpectedFrames) || EndsBeforeDuration();
            return std::nullopt;
        }
        ++FFrames;
        return Grey();
    }

private:
    void Open(const std::string& FileName) {
        QuietFfmpeg();
        FFormat = avformat_alloc_context();
        if (!FFormat) throw std::bad_alloc();
        if (FileName.empty()) {
            auto* Buffer = static_cast<std::uint8_t*>(av_malloc(InMemoryBufferBytes));
            FInput = Buffer ? avio_alloc_context(Buffer, InMemoryBufferBytes, 0, &FMemory, ReadMemory, nullptr, SeekMemory) : nullptr;
            if (!FInput) {
                av_free(Buffer);
                throw std::bad_alloc();
            }
            FFormat->pb = FInput;
            FFormat->flags |= AVFMT_FLAG_CUSTOM_IO;
        }
        FFormat->interrupt_callback = {OutOfTime, this};
        FFormat->probesize = StreamProbeBytes;
        FFormat->max_analyze_duration = AnalyzeMicroseconds;
        FFormat->max_streams = MaxStreams;
        // A playlist or a script among the formats could name other files or addresses to read;
        // only the file itself is read (from memory, nothing at all is opened).
        AVDictionary* Options = nullptr;
        av_dict_set(&Options, "protocol_whitelist", FileName.empty() ? "" : "file", 0);
        // avformat_open_input frees the context when it fails.
        const int Opened = avformat_open_input(&FFormat, FileName.empty() ? nullptr : FileName.c_str(), nullptr, &Options);
        av_dict_free(&Options);
        if (Opened < 0 && TimeIsUp()) GaveUp();
        if (const int E = Opened; E < 0) {
            if (!FileName.empty() && E > -4096 && E != AVERROR_INVALIDDATA)
                throw EFileError("Datei kann nicht geöffnet werden: " + FileName, FileName, AVUNERROR(E));
            if (LooksLikeVideo(StartOf(FileName))) Damaged(ErrorText(E));
            throw EInvalidGraphic("Unbekanntes Videoformat", TReadFailure::NotAPicture, {}, ErrorText(E));
        }
        const int Found = avformat_find_stream_info(FFormat, nullptr);
        if (TimeIsUp()) GaveUp();
        if (Found < 0) Damaged(ErrorText(Found));
        const AVCodec* Decoder = nullptr;
        FStream = av_find_best_stream(FFormat, AVMEDIA_TYPE_VIDEO, -1, -1, &Decoder, 0);
        if (FStream < 0 || !Decoder) throw EInvalidGraphic("Datei enthält kein Video", TReadFailure::NotAPicture, "video", "no video stream");
        const AVStream* Stream = FFormat->streams[FStream];
        CheckPictureSize(Stream->codecpar->width, Stream->codecpar->height, 24, "video");
        if (Stream->codecpar->width < 1 || Stream->codecpar->height < 1) Damaged("no picture size");
        FWidth = Stream->codecpar->width;
        FHeight = Stream->codecpar->height;
        const AVRational Rate = Stream->avg_frame_rate.num > 0 ? Stream->avg_frame_rate : Stream->r_frame_rate;
        FFps = Rate.num > 0 && Rate.den > 0 ? av_q2d(Rate) : 0;
        FExpectedFrames = Stream->nb_frames;
        FDecoder = avcodec_alloc_context3(Decoder);
        FPacket = av_packet_alloc();
        FFrame = av_frame_alloc();
        if (!FDecoder || !FPacket || !FFrame) throw std::bad_alloc();
        if (const int E = avcodec_parameters_to_context(FDecoder, Stream->codecpar); E < 0) Damaged(ErrorText(E));
        FDecoder->thread_count = 1;
        // The decoder refuses a frame larger than a picture may be before making room for it.
        FDecoder->max_pixels = MaxPictureBytes / 3;
        if (const int E = avcodec_open2(FDecoder, Decoder, nullptr); E < 0) Damaged(ErrorText(E));
    }

    void StartStep() { FMemory.Deadline = TClock::now() + FStepTime; }
    bool TimeIsUp() const { return TClock::now() > FMemory.Deadline; }
    static int OutOfTime(void* Video) { return static_cast<const TFfmpegVideo*>(Video)->TimeIsUp(); }
    std::string GaveUpText() const { return "given up after " + std::to_string(FStepTime.count()) + " ms"; }
    [[noreturn]] void GaveUp() const { Damaged(GaveUpText()); }

    // The first bytes of the video, for telling a damaged one from content of no video format.
    std::span<const std::uint8_t> StartOf(const std::string& FileName) {
        constexpr std::size_t ProbeBytes = 4096;
        if (FileName.empty()) return FMemory.Bytes.first(std::min(ProbeBytes, FMemory.Bytes.size()));
        FStart.resize(ProbeBytes);
        std::ifstream File(FileName, std::ios::binary);
        File.read(reinterpret_cast<char*>(FStart.data()), std::streamsize(ProbeBytes));
        FStart.resize(std::size_t(std::max<std::streamsize>(File.gcount(), 0)));
        return FStart;
    }

    void Release() {
        sws_freeContext(FScale);
        FScale = nullptr;
        av_frame_free(&FFrame);
        av_packet_free(&FPacket);
        avcodec_free_context(&FDecoder);
        avformat_close_input(&FFormat);
        if (FInput) av_freep(&FInput->buffer);
        avio_context_free(&FInput);
    }

    // Gets the next decoded frame into FFrame; false at the end, or when the video breaks
    // off (which sets FCutShort).
    bool Decoded() {
        int Fruitless = 0;
        while (!FEnded) {
            if (TimeIsUp()) {
                BrokeOff(AVERROR_EXIT);
                FFailure = GaveUpText();
                return false;
            }
            const int Received = avcodec_receive_frame(FDecoder, FFrame);
            if (Received == 0) {
                if (FFrame->width > 0 && FFrame->height > 0) return true;
                continue;
            }
            if (Received == AVERROR_EOF) break;
            if (Received != AVERROR(EAGAIN)) return BrokeOff(Received);
            if (++Fruitless > MaxFruitlessReads) return BrokeOff(AVERROR_INVALIDDATA);
            if (FDraining) break;
            const int Read = av_read_frame(FFormat, FPacket);
            if (Read < 0) {
                if (Read != AVERROR_EOF) FCutShort = FFrames > 0, FFailure = ErrorText(Read);
                FDraining = true;
                avcodec_send_packet(FDecoder, nullptr);
                continue;
            }
            if (FPacket->stream_index == FStream) {
                const int Sent = avcodec_send_packet(FDecoder, FPacket);
                // A damaged packet is skipped, as players do; the frames around it still count.
                if (Sent < 0 && Sent != AVERROR(EAGAIN)) FFailure = ErrorText(Sent);
            }
            av_packet_unref(FPacket);
        }
        FEnded = true;
        return false;
    }

    // Whether the frames end more than a frame and a half before the length the container gives.
    bool EndsBeforeDuration() const {
        if (FFormat->duration <= 0 || FFps <= 0 || !FLastEnd) return false;
        const double Start = FFormat->start_time == AV_NOPTS_VALUE ? 0 : double(FFormat->start_time);
        return *FLastEnd - Start < double(FFormat->duration) - 1.5 * AV_TIME_BASE / FFps;
    }

    bool BrokeOff(int Error) {
        FFailure = ErrorText(Error);
        FCutShort = FFrames > 0;
        FEnded = true;
        return false;
    }

    // FFrame's brightness at the first frame's size, as grey in every channel.
    TBitmap Grey() {
        CheckPictureSize(FFrame->width, FFrame->height, 24, "video");
        if (FFrame->best_effort_timestamp != AV_NOPTS_VALUE) {
            const AVRational Base = FFormat->streams[FStream]->time_base;
            FLastEnd = double(FFrame->best_effort_timestamp) * av_q2d(Base) * AV_TIME_BASE + (FFps > 0 ? AV_TIME_BASE / FFps : 0);
        }
        FScale = sws_getCachedContext(FScale, FFrame->width, FFrame->height, AVPixelFormat(FFrame->format), FWidth, FHeight,
                                      AV_PIX_FMT_GRAY8, SWS_BILINEAR, nullptr, nullptr, nullptr);
        if (!FScale) Damaged("frame of an unknown pixel format");
        // swscale's vector code may write whole blocks past a row's end: rows padded to a
        // multiple of 64 bytes, and 64 more after the last, keep it inside our buffer.
        const int Stride = (FWidth + 63) / 64 * 64;
        std::vector<std::uint8_t> Levels(std::size_t(Stride) * std::size_t(FHeight) + 64);
        std::uint8_t* Planes[] = {Levels.data()};
        const int Strides[] = {Stride};
        if (sws_scale(FScale, FFrame->data, FFrame->linesize, 0, FFrame->height, Planes, Strides) <= 0) Damaged("frame cannot be converted");
        av_frame_unref(FFrame);
        TBitmap Depth(FWidth, FHeight, pf24bit);
        for (int Y = 0; Y < FHeight; ++Y) {
            std::uint8_t* Out = Depth.ScanLine(Y);
            const std::uint8_t* In = Levels.data() + std::size_t(Y) * std::size_t(Stride);
            for (int X = 0; X < FWidth; ++X, Out += 3) Out[0] = Out[1] = Out[2] = In[X];
        }
        return Depth;
    }

    TMemory FMemory;  // also holds the deadline of the step under way
    const std::chrono::milliseconds FStepTime;
    std::vector<std::uint8_t> FStart;
    AVIOContext* FInput = nullptr;
    AVFormatContext* FFormat = nullptr;
    AVCodecContext* FDecoder = nullptr;
    AVPacket* FPacket = nullptr;
    AVFrame* FFrame = nullptr;
    SwsContext* FScale = nullptr;
    int FStream = -1;
    int FWidth = 0, FHeight = 0;
    double FFps = 0;
    std::int64_t FExpectedFrames = 0;
    std::int64_t FFrames = 0;
    // Where the last frame ends, in AV_TIME_BASE units; a double, which no crafted time stamp overflows.
    std::optional<double> FLastEnd;
    bool FDraining = false, FEnded = false, FCutShort = false;
    std::string FFailure;
};

}  // namespace

std::unique_ptr<TDepthVideo> TDepthVideo::OpenFile(const std::string& FileName, std::chrono::milliseconds StepTime) {
    return std::make_unique<TFfmpegVideo>(FileName, std::span<const std::uint8_t>{}, StepTime);
}

std::unique_ptr<TDepthVideo> TDepthVideo::OpenBytes(std::span<const std::uint8_t> Bytes, std::chrono::milliseconds StepTime) {
    return std::make_unique<TFfmpegVideo>(std::string(), Bytes, StepTime);
}

bool LooksLikeVideo(std::span<const std::uint8_t> Start) {
    QuietFfmpeg();
    // FFmpeg's probe wants a zeroed tail past the data.
    std::vector<std::uint8_t> Padded(Start.begin(), Start.end());
    Padded.resize(Start.size() + AVPROBE_PADDING_SIZE);
    AVProbeData Probe{"", Padded.data(), int(Start.size()), nullptr};
    const AVInputFormat* Format = av_probe_input_format(&Probe, 1);
    // Still pictures are read as pictures; FFmpeg's demuxers for them end in "_pipe".
    if (!Format) return false;
    const std::string Name = Format->name;
    return !Name.ends_with("_pipe") && Name != "image2" && Name != "gif" && Name != "webp" && Name != "tty";
}
