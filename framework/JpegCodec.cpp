#include "JpegCodec.h"

#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <string>

#include "Exception.h"

namespace {

// Real progressive files have about ten scans; a stream of thousands of tiny scans would
// keep the decoder busy for minutes without showing anything new.
constexpr int MaxScans = 1000;
// Ceiling for the decoder's own buffers (the whole-image coefficient buffer of a
// progressive file); past it the decoder reports an error instead of allocating.
constexpr long MaxDecoderMemory = 512L * 1024 * 1024;

struct TErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
};

// Owns one decompressor. The setjmp/longjmp pair lives in the functions below, which hold
// no objects with destructors, so a decoder error never unwinds C++ frames and no C++
// exception ever crosses the library's C frames.
struct TJpegSession {
    jpeg_decompress_struct Info{};
    TErrorManager Err{};
    jpeg_progress_mgr Progress{};

    TJpegSession();
    TJpegSession(const TJpegSession&) = delete;
    TJpegSession& operator=(const TJpegSession&) = delete;
    ~TJpegSession() { jpeg_destroy_decompress(&Info); }

    [[noreturn]] void Fail() const { throw EInvalidGraphic("Ungültige JPEG-Daten: " + std::string(Err.Message)); }
};

TErrorManager& ErrorsOf(j_common_ptr Info) { return *reinterpret_cast<TErrorManager*>(Info->err); }

[[noreturn]] void ExitWithMessage(j_common_ptr Info) {
    Info->err->format_message(Info, ErrorsOf(Info).Message);
    std::longjmp(ErrorsOf(Info).Jump, 1);
}

// Warnings report corrupt or missing data; the decoder would go on with made-up rows, so
// a damaged file is refused instead.
void EmitMessage(j_common_ptr Info, int Level) {
    if (Level < 0) ExitWithMessage(Info);
}

void OutputNothing(j_common_ptr) {}

void LimitScans(j_common_ptr Info) {
    const auto* Decompress = reinterpret_cast<j_decompress_ptr>(Info);
    if (Decompress->input_scan_number > MaxScans) {
        std::snprintf(ErrorsOf(Info).Message, JMSG_LENGTH_MAX, "zu viele Scans");
        std::longjmp(ErrorsOf(Info).Jump, 1);
    }
}

TJpegSession::TJpegSession() {
    Info.err = jpeg_std_error(&Err.Pub);
    Err.Pub.error_exit = ExitWithMessage;
    Err.Pub.emit_message = EmitMessage;
    Err.Pub.output_message = OutputNothing;
    Progress.progress_monitor = LimitScans;
}

void StartSession(TJpegSession* S, std::span<const std::uint8_t> Data) {
    jpeg_create_decompress(&S->Info);
    S->Info.mem->max_memory_to_use = MaxDecoderMemory;
    S->Info.progress = &S->Progress;
    jpeg_mem_src(&S->Info, Data.data(), static_cast<unsigned long>(Data.size()));
    jpeg_read_header(&S->Info, TRUE);
}

bool ReadHeaderInto(TJpegSession* S, std::span<const std::uint8_t> Data) {
    if (setjmp(S->Err.Jump)) return false;
    StartSession(S, Data);
    return true;
}

bool IsGreyOutput(const jpeg_decompress_struct& Info, const TJpegDecodeOptions& Options) {
    return Options.Grayscale || Info.jpeg_color_space == JCS_GRAYSCALE;
}

void SetOutputOptions(jpeg_decompress_struct* Info, const TJpegDecodeOptions& Options) {
    Info->scale_num = 1;
    Info->scale_denom = static_cast<unsigned>(Options.ScaleDenom);
    Info->dct_method = Options.FastDct ? JDCT_IFAST : JDCT_ISLOW;
    if (IsGreyOutput(*Info, Options)) {
        Info->out_color_space = JCS_GRAYSCALE;
    } else if (Options.Palette8) {
        Info->out_color_space = JCS_RGB;
        Info->quantize_colors = TRUE;
        Info->desired_number_of_colors = 256;
        Info->two_pass_quantize = Options.FastDct ? FALSE : TRUE;
        Info->dither_mode = Options.FastDct ? JDITHER_ORDERED : JDITHER_FS;
    } else {
        Info->out_color_space = JCS_EXT_BGR;
    }
}

std::vector<TColor32> OutputPalette(const jpeg_decompress_struct& Info) {
    std::vector<TColor32> Palette;
    if (Info.quantize_colors) {
        for (int I = 0; I < Info.actual_number_of_colors; ++I)
            Palette.push_back(PackColor(Info.colormap[0][I], Info.colormap[1][I], Info.colormap[2][I]));
    } else {
        for (int V = 0; V < 256; ++V) Palette.push_back(PackColor(std::uint8_t(V), std::uint8_t(V), std::uint8_t(V)));
    }
    return Palette;
}

bool DecodeInto(TJpegSession* S, std::span<const std::uint8_t> Data, const TJpegDecodeOptions* Options, TBitmap* Out) {
    if (setjmp(S->Err.Jump)) return false;
    StartSession(S, Data);
    jpeg_decompress_struct* Info = &S->Info;
    SetOutputOptions(Info, *Options);
    jpeg_calc_output_dimensions(Info);
    const bool EightBit = Info->out_color_space != JCS_EXT_BGR;
    const int Width = static_cast<int>(Info->output_width), Height = static_cast<int>(Info->output_height);
    CheckPictureSize(Width, Height, EightBit ? 8 : 24);
    *Out = TBitmap(Width, Height, EightBit ? pf8bit : pf24bit);
    jpeg_start_decompress(Info);
    if (EightBit) Out->SetPalette(OutputPalette(*Info));
    while (Info->output_scanline < Info->output_height) {
        JSAMPROW Row = Out->ScanLine(static_cast<int>(Info->output_scanline));
        jpeg_read_scanlines(Info, &Row, 1);
    }
    jpeg_finish_decompress(Info);
    return true;
}

}  // namespace

TJpegHeader ReadJpegHeader(std::span<const std::uint8_t> Data) {
    TJpegSession Session;
    if (!ReadHeaderInto(&Session, Data)) Session.Fail();
    const auto& Info = Session.Info;
    // The decoder has no conversion from print colours to screen colours.
    if (Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK)
        throw EInvalidGraphic("CMYK-JPEG-Bilder werden nicht unterstützt");
    TJpegHeader Header{static_cast<int>(Info.image_width), static_cast<int>(Info.image_height), Info.num_components};
    CheckPictureSize(Header.Width, Header.Height, Header.Components == 1 ? 8 : 24);
    return Header;
}

TBitmap DecodeJpeg(std::span<const std::uint8_t> Data, const TJpegDecodeOptions& Options) {
    TJpegSession Session;
    TBitmap Result;
    if (!DecodeInto(&Session, Data, &Options, &Result)) Session.Fail();
    return Result;
}
