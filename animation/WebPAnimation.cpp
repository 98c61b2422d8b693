// Animated lossless WebP: each frame encoded whole by libwebp as it comes and written at once
// to the file as an ANMF chunk of the extended format, so that nothing but the frame in hand
// is held, however long the animation. The sizes of the RIFF header are filled in at the end;
// the record of how the animation was made follows the frames as XMP. Every frame stays a
// frame of its own, also one equal to the one before it, so that the frame count is the one
// rendered.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <webp/encode.h>

#include "AnimationFormats.h"
#include "Bitmap24.h"
#include "Exception.h"
#include "FileBeside.h"
#include "FrameTiming.h"
#include "XmpPacket.h"

namespace {

constexpr int Milliseconds = 1000;
constexpr std::uint32_t Largest24Bits = 0xFFFFFF;
constexpr std::size_t RiffHeaderBytes = 12;  // "RIFF", the size, "WEBP"
constexpr std::size_t ChunkHeaderBytes = 8;  // the tag and the size
constexpr std::size_t FlagsOffset = RiffHeaderBytes + ChunkHeaderBytes;
constexpr std::uint8_t AnimationFlag = 0x02, XmpFlag = 0x04;
constexpr std::uint8_t NoBlending = 0x02;  // of an ANMF chunk's flags; disposal stays "none"
constexpr std::uint8_t LoopForever[] = {0, 0};
constexpr std::uint8_t BlackBackground[] = {0, 0, 0, 0xFF};  // blue, green, red, alpha

[[noreturn]] void EncoderFailed(const std::string& Reason) { throw Exception("WebP-Animation kann nicht kodiert werden: " + Reason); }

void Put24(std::uint8_t* At, std::uint32_t Value) {
    At[0] = std::uint8_t(Value), At[1] = std::uint8_t(Value >> 8), At[2] = std::uint8_t(Value >> 16);
}
void Put32(std::uint8_t* At, std::uint32_t Value) {
    Put24(At, Value);
    At[3] = std::uint8_t(Value >> 24);
}

struct TFileClose {
    void operator()(std::FILE* File) const { std::fclose(File); }
};

struct TMemoryWriter : WebPMemoryWriter {
    TMemoryWriter() { WebPMemoryWriterInit(this); }
    ~TMemoryWriter() { WebPMemoryWriterClear(this); }
    TMemoryWriter(const TMemoryWriter&) = delete;
    TMemoryWriter& operator=(const TMemoryWriter&) = delete;
};

class TWebPWriter : public TAnimationWriter {
public:
    TWebPWriter(const std::string& Path, const TAnimationSettings& Settings) : FFile(Path), FSettings(Settings) {
        if (!WebPConfigInit(&FConfig)) EncoderFailed("libwebp version mismatch");
        FConfig.lossless = 1;
        FConfig.method = 0;  // the fastest; dots leave little for a slower method to find
        FConfig.quality = 0;
        FConfig.exact = 1;
        FOut.reset(std::fopen(FFile.TemporaryName().c_str(), "wb"));
        if (!FOut) FFile.Failed(errno);
        // RIFF, VP8X and ANIM; the sizes and flags that depend on what follows are set in Finish.
        std::uint8_t Header[RiffHeaderBytes + ChunkHeaderBytes + 10 + ChunkHeaderBytes + 6] = {};
        std::memcpy(Header, "RIFF\0\0\0\0WEBPVP8X", 16);
        Put32(Header + 16, 10);
        Put24(Header + 24, std::uint32_t(Settings.Width - 1));
        Put24(Header + 27, std::uint32_t(Settings.Height - 1));
        std::memcpy(Header + 30, "ANIM", 4);
        Put32(Header + 34, 6);
        std::memcpy(Header + 38, BlackBackground, 4);
        std::memcpy(Header + 42, LoopForever, 2);
        Write(Header, sizeof Header);
    }
    void AddFrame(const TBitmap& Frame) override {
        TMemoryWriter Encoded;
        Encode(Frame, Encoded);
        // The encoder writes a still WebP file: its chunks after the RIFF header, but for an
        // extended header, are the frame's picture.
        std::size_t Picture = RiffHeaderBytes, PictureEnd = Encoded.size;
        if (Encoded.size >= RiffHeaderBytes + ChunkHeaderBytes && std::memcmp(Encoded.mem + Picture, "VP8X", 4) == 0)
            Picture += ChunkHeaderBytes + ChunkSize(Encoded.mem + Picture);
        if (Picture >= PictureEnd) EncoderFailed("no picture encoded");
        std::uint8_t Header[ChunkHeaderBytes + 16] = {'A', 'N', 'M', 'F'};
        Put32(Header + 4, Checked(16 + (PictureEnd - Picture)));
        Put24(Header + 14, std::uint32_t(FSettings.Width - 1));
        Put24(Header + 17, std::uint32_t(FSettings.Height - 1));
        Put24(Header + 20, std::min<std::uint32_t>(std::uint32_t(FrameDuration(FFrames++, FSettings.Fps, Milliseconds)), Largest24Bits));
        Header[23] = NoBlending;
        Write(Header, sizeof Header);
        Write(Encoded.mem + Picture, PictureEnd - Picture);
    }

    void Finish() override {
        std::uint8_t Flags = AnimationFlag;
        if (!FSettings.Record.empty()) {
            std::string Xmp = XmpPacket(FSettings.Record);
            std::uint8_t Header[ChunkHeaderBytes] = {'X', 'M', 'P', ' '};
            Put32(Header + 4, Checked(Xmp.size()));
            if (Xmp.size() % 2) Xmp += '\0';  // chunks start at even offsets
            Write(Header, sizeof Header);
            Write(reinterpret_cast<const std::uint8_t*>(Xmp.data()), Xmp.size());
            Flags |= XmpFlag;
        }
        std::uint8_t Size[4];
        Put32(Size, std::uint32_t(FWritten - ChunkHeaderBytes));
        if (std::fseek(FOut.get(), 4, SEEK_SET) != 0 || std::fwrite(Size, 1, 4, FOut.get()) != 4 ||
            std::fseek(FOut.get(), FlagsOffset, SEEK_SET) != 0 || std::fwrite(&Flags, 1, 1, FOut.get()) != 1)
            FFile.Failed(errno);
        const int Closed = std::fclose(FOut.release());
        if (Closed != 0) FFile.Failed(errno);
        FFile.Commit();
    }

private:
    void Encode(const TBitmap& Frame, TMemoryWriter& Encoded) const {
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
        Picture.writer = WebPMemoryWrite;
        Picture.custom_ptr = static_cast<WebPMemoryWriter*>(&Encoded);
        const bool Done = WebPEncode(&FConfig, &Picture);
        const WebPEncodingError Error = Picture.error_code;
        WebPPictureFree(&Picture);
        if (!Done) EncoderFailed("error " + std::to_string(int(Error)));
    }

    static std::size_t ChunkSize(const std::uint8_t* Chunk) {
        const std::uint32_t Size = std::uint32_t(Chunk[4]) | std::uint32_t(Chunk[5]) << 8 | std::uint32_t(Chunk[6]) << 16 | std::uint32_t(Chunk[7]) << 24;
        return std::size_t(Size) + Size % 2;
    }

    // The size of the chunk to write next; the file with it must stay within what RIFF's
    // 32-bit sizes hold.
    std::uint32_t Checked(std::size_t Size) const {
        if (FWritten + ChunkHeaderBytes + Size > std::numeric_limits<std::uint32_t>::max()) EncoderFailed("larger than a WebP file holds (4 GB)");
        return std::uint32_t(Size);
    }

    void Write(const std::uint8_t* Bytes, std::size_t Count) {
        if (std::fwrite(Bytes, 1, Count, FOut.get()) != Count) FFile.Failed(errno);
        FWritten += Count;
    }

    TFileBeside FFile;
    TAnimationSettings FSettings;
    WebPConfig FConfig;
    std::unique_ptr<std::FILE, TFileClose> FOut;
    std::size_t FWritten = 0;
    std::int64_t FFrames = 0;
};

}  // namespace

std::unique_ptr<TAnimationWriter> OpenWebPWriter(const std::string& Path, const TAnimationSettings& Settings) {
    return std::make_unique<TWebPWriter>(Path, Settings);
}
