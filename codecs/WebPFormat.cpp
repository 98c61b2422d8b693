#include "WebPFormat.h"

#include <memory>
#include <string>
#include <webp/decode.h>
#include <webp/demux.h>
#include <webp/encode.h>

#include "Bitmap24.h"
#include "InvalidPicture.h"
#include "Samples.h"

namespace {

[[noreturn]] void Damaged(std::string Detail) { ThrowInvalidPicture(TReadFailure::Damaged, "WebP", std::move(Detail)); }

[[noreturn]] void Failed(VP8StatusCode Status) {
    switch (Status) {
        case VP8_STATUS_UNSUPPORTED_FEATURE: ThrowInvalidPicture(TReadFailure::Unsupported, "WebP", "unsupported feature");
        case VP8_STATUS_NOT_ENOUGH_DATA: Damaged("data cut short");
        case VP8_STATUS_OUT_OF_MEMORY: Damaged("out of memory");
        default: Damaged("bitstream error");
    }
}

// Width × Height pixels of red, green, blue, alpha as a 24-bit bitmap over black.
TBitmap RgbaOverBlack(const std::uint8_t* Rgba, int Width, int Height) {
    TBitmap B(Width, Height, pf24bit);
    for (int Y = 0; Y < Height; ++Y) {
        std::uint8_t* Out = B.ScanLine(Y);
        const std::uint8_t* In = Rgba + std::size_t(Y) * std::size_t(Width) * 4;
        for (int X = 0; X < Width; ++X, In += 4, Out += 3) {
            Out[0] = OverBlack(In[2], In[3]);
            Out[1] = OverBlack(In[1], In[3]);
            Out[2] = OverBlack(In[0], In[3]);
        }
    }
    return B;
}

// Decodes a still picture into Buffer (Size bytes, rows Stride bytes apart) in Mode.
void Decode(std::span<const std::uint8_t> Data, WEBP_CSP_MODE Mode, std::uint8_t* Buffer, std::size_t Size, int Stride) {
    WebPDecoderConfig Config;
    if (!WebPInitDecoderConfig(&Config)) Damaged("decoder version mismatch");
    Config.output.colorspace = Mode;
    Config.output.is_external_memory = 1;
    Config.output.u.RGBA.rgba = Buffer;
    Config.output.u.RGBA.stride = Stride;
    Config.output.u.RGBA.size = Size;
    const VP8StatusCode Status = WebPDecode(Data.data(), Data.size(), &Config);
    WebPFreeDecBuffer(&Config.output);
    if (Status != VP8_STATUS_OK) Failed(Status);
}

struct TAnimDecoderDelete {
    void operator()(WebPAnimDecoder* Decoder) const { WebPAnimDecoderDelete(Decoder); }
};

// The first frame of an animation as it shows on the canvas (which the caller has checked
// against the limits: the decoder keeps two canvases of red, green, blue, alpha).
TBitmap FirstFrame(std::span<const std::uint8_t> Data) {
    const WebPData Input{Data.data(), Data.size()};
    WebPAnimDecoderOptions Options;
    if (!WebPAnimDecoderOptionsInit(&Options)) Damaged("decoder version mismatch");
    Options.color_mode = MODE_RGBA;
    Options.use_threads = 0;
    const std::unique_ptr<WebPAnimDecoder, TAnimDecoderDelete> Decoder(WebPAnimDecoderNew(&Input, &Options));
    WebPAnimInfo Info;
    if (!Decoder || !WebPAnimDecoderGetInfo(Decoder.get(), &Info)) Damaged("animation cannot be read");
    std::uint8_t* Canvas = nullptr;
    int Timestamp = 0;
    if (!WebPAnimDecoderGetNext(Decoder.get(), &Canvas, &Timestamp)) Damaged("first frame cannot be decoded");
    return RgbaOverBlack(Canvas, int(Info.canvas_width), int(Info.canvas_height));
}

struct TWebPFree {
    void operator()(std::uint8_t* Bytes) const { WebPFree(Bytes); }
};

}  // namespace

TBitmap ReadWebP(std::span<const std::uint8_t> Data) {
    WebPBitstreamFeatures Features;
    const VP8StatusCode Status = WebPGetFeatures(Data.data(), Data.size(), &Features);
    if (Status != VP8_STATUS_OK) Failed(Status);
    const int Width = Features.width, Height = Features.height;
    CheckPictureSize(Width, Height, Features.has_animation ? 64 : Features.has_alpha ? 32 : 24);
    if (Features.has_animation) return FirstFrame(Data);
    if (Features.has_alpha) {
        std::vector<std::uint8_t> Rgba(std::size_t(Width) * std::size_t(Height) * 4);
        Decode(Data, MODE_RGBA, Rgba.data(), Rgba.size(), Width * 4);
        return RgbaOverBlack(Rgba.data(), Width, Height);
    }
    TBitmap B(Width, Height, pf24bit);
    Decode(Data, MODE_BGR, B.ScanLine(0), std::size_t(B.RowBytes()) * std::size_t(Height), B.RowBytes());
    return B;
}

std::vector<std::uint8_t> WriteWebP(const TBitmap& Bitmap) {
    const TRefusalValues Values{.Subject = "WebP", .Limit = WEBP_MAX_DIMENSION, .Width = Bitmap.Width(), .Height = Bitmap.Height()};
    if (Bitmap.Empty()) throw ERefusal("WebP kann nicht geschrieben werden: leeres Bild", TRefusal::EmptyPictureToWrite, Values);
    if (Bitmap.Width() > WEBP_MAX_DIMENSION || Bitmap.Height() > WEBP_MAX_DIMENSION)
        throw ERefusal("WebP kann nicht geschrieben werden: höchstens " + std::to_string(WEBP_MAX_DIMENSION) + " Pixel Breite und Höhe",
                       TRefusal::TooLargeToWrite, Values);
    TBitmap Scratch;
    const TBitmap& B = As24Bit(Bitmap, Scratch);
    std::uint8_t* Bytes = nullptr;
    const std::size_t Size = WebPEncodeLosslessBGR(B.ScanLine(0), B.Width(), B.Height(), B.RowBytes(), &Bytes);
    const std::unique_ptr<std::uint8_t, TWebPFree> Owned(Bytes);
    if (Size == 0) throw ERefusal("WebP kann nicht geschrieben werden: Kodierung fehlgeschlagen", TRefusal::EncodingFailed, Values);
    return {Bytes, Bytes + Size};
}
