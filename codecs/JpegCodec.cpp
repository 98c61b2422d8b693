#include "JpegCodec.h"

#include <algorithm>
#include <array>
#include <csetjmp>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <jerror.h>
#include <new>
#include <string>

#include "Bitmap24.h"
#include "Exception.h"

namespace {

constexpr const char* FormatName = "JPEG";
// Real progressive files have about ten scans; a stream of thousands of tiny scans would
// keep the decoder busy for minutes without showing anything new.
constexpr int MaxScans = 1000;
// Ceiling for the decoder's own buffers (the whole-image coefficient buffer of a
// progressive file); past it the decoder reports an error instead of allocating.
constexpr long MaxDecoderMemory = 512L * 1024 * 1024;
// A damaged file can raise the same warning for every block; a few distinct texts say enough.
constexpr std::size_t MaxWarnings = 8;

struct TErrorManager {
    jpeg_error_mgr Pub;
    std::jmp_buf Jump;
    char Message[JMSG_LENGTH_MAX];
    std::vector<std::string>* Warnings;  // where a decode collects the warnings; null elsewhere
};

TErrorManager& ErrorsOf(j_common_ptr Info) { return *reinterpret_cast<TErrorManager*>(Info->err); }

[[noreturn]] void ExitWithMessage(j_common_ptr Info) {
    Info->err->format_message(Info, ErrorsOf(Info).Message);
    std::longjmp(ErrorsOf(Info).Jump, 1);
}

[[noreturn]] void ExitWith(j_common_ptr Info, J_MESSAGE_CODE Code) {
    Info->err->msg_code = Code;
    Info->err->error_exit(Info);
    std::abort();  // error_exit never returns
}

// Warnings tell of corrupt or missing data that the decoder has mended in its own way (a
// file cut short reads grey from there on); they are kept for the caller, not raised.
void EmitMessage(j_common_ptr Info, int Level) {
    if (Level >= 0) return;  // trace output
    TErrorManager& Err = ErrorsOf(Info);
    ++Err.Pub.num_warnings;
    if (!Err.Warnings || Err.Warnings->size() >= MaxWarnings) return;
    char Text[JMSG_LENGTH_MAX];
    Info->err->format_message(Info, Text);
    try {  // no exception may cross libjpeg's frames; a warning lost to a full memory is no harm
        if (std::ranges::find(*Err.Warnings, Text) == Err.Warnings->end()) Err.Warnings->emplace_back(Text);
    } catch (const std::bad_alloc&) {
    }
}

void OutputNothing(j_common_ptr) {}

jpeg_error_mgr* InstallHandlers(TErrorManager& Err) {
    jpeg_error_mgr* Pub = jpeg_std_error(&Err.Pub);
    Pub->error_exit = ExitWithMessage;
    Pub->emit_message = EmitMessage;
    Pub->output_message = OutputNothing;
    return Pub;
}

void LimitScans(j_common_ptr Info) {
    const auto* Decompress = reinterpret_cast<j_decompress_ptr>(Info);
    if (Decompress->input_scan_number > MaxScans) {
        std::snprintf(ErrorsOf(Info).Message, JMSG_LENGTH_MAX, "more than %d scans", MaxScans);
        Info->err->msg_code = 0;
        std::longjmp(ErrorsOf(Info).Jump, 1);
    }
}

TReadFailure FailureOf(int Code) {
    switch (Code) {
        case JERR_INPUT_EMPTY:
        case JERR_NO_SOI: return TReadFailure::NotAPicture;
        case JERR_BAD_PRECISION:  // 12-bit samples
        case JERR_SOF_UNSUPPORTED:
        case JERR_ARITH_NOTIMPL:
        case JERR_NOT_COMPILED:
        case JERR_CONVERSION_NOTIMPL: return TReadFailure::Unsupported;
        case JERR_OUT_OF_MEMORY:
        case JERR_IMAGE_TOO_BIG:
        case JERR_WIDTH_OVERFLOW: return TReadFailure::TooLarge;
        default: return TReadFailure::Damaged;
    }
}

std::string WindowText(TReadFailure Failure) {
    switch (Failure) {
        case TReadFailure::Unsupported: return "JPEG-Variante wird nicht unterstützt: ";
        case TReadFailure::TooLarge: return "JPEG-Bild ist zu groß: ";
        case TReadFailure::NotAPicture:
        case TReadFailure::Damaged: break;
    }
    return "Ungültige JPEG-Daten: ";
}

// Owns one decompressor. The setjmp/longjmp pair lives in the functions below, which hold
// no objects with destructors, so a decoder error never unwinds C++ frames and no C++
// exception ever crosses the library's C frames.
struct TJpegSession {
    jpeg_decompress_struct Info{};
    TErrorManager Err{};
    jpeg_progress_mgr Progress{};
    std::vector<JSAMPLE> CmykRow;

    explicit TJpegSession(std::vector<std::string>* Warnings = nullptr) {
        Info.err = InstallHandlers(Err);
        Err.Warnings = Warnings;
        Progress.progress_monitor = LimitScans;
    }
    TJpegSession(const TJpegSession&) = delete;
    TJpegSession& operator=(const TJpegSession&) = delete;
    ~TJpegSession() { jpeg_destroy_decompress(&Info); }

    [[noreturn]] void Fail() const {
        const TReadFailure Failure = FailureOf(Err.Pub.msg_code);
        throw EInvalidGraphic(WindowText(Failure) + Err.Message, Failure, FormatName, Err.Message);
    }
};

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

bool IsCmyk(const jpeg_decompress_struct& Info) {
    return Info.jpeg_color_space == JCS_CMYK || Info.jpeg_color_space == JCS_YCCK;
}

bool IsGreyOutput(const jpeg_decompress_struct& Info, const TJpegDecodeOptions& Options) {
    return !IsCmyk(Info) && (Options.Grayscale || Info.jpeg_color_space == JCS_GRAYSCALE);
}

void SetOutputOptions(jpeg_decompress_struct* Info, const TJpegDecodeOptions& Options) {
    Info->scale_num = 1;
    Info->scale_denom = static_cast<unsigned>(Options.ScaleDenom);
    Info->dct_method = Options.FastDct ? JDCT_IFAST : JDCT_ISLOW;
    if (IsCmyk(*Info)) {
        Info->out_color_space = JCS_CMYK;  // libjpeg turns YCCK into CMYK; the step to RGB is ours
    } else if (IsGreyOutput(*Info, Options)) {
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

// Each screen colour is the paper that the ink leaves: red = (1 − cyan) × (1 − black).
// Files with Adobe's marker (Photoshop's and most others) store the inks inverted, 255 for
// no ink, whether as CMYK or YCCK; files without it store the inks themselves.
void CmykRowToBgr(const JSAMPLE* Cmyk, std::uint8_t* Bgr, int Width, bool Inverted) {
    const unsigned Flip = Inverted ? 0 : 255;
    for (int X = 0; X < Width; ++X, Cmyk += 4, Bgr += 3) {
        const unsigned Black = Cmyk[3] ^ Flip;
        Bgr[0] = std::uint8_t(((Cmyk[2] ^ Flip) * Black + 127) / 255);
        Bgr[1] = std::uint8_t(((Cmyk[1] ^ Flip) * Black + 127) / 255);
        Bgr[2] = std::uint8_t(((Cmyk[0] ^ Flip) * Black + 127) / 255);
    }
}

bool DecodeInto(TJpegSession* S, std::span<const std::uint8_t> Data, const TJpegDecodeOptions* Options, TBitmap* Out) {
    if (setjmp(S->Err.Jump)) return false;
    StartSession(S, Data);
    jpeg_decompress_struct* Info = &S->Info;
    SetOutputOptions(Info, *Options);
    jpeg_calc_output_dimensions(Info);
    const bool Cmyk = IsCmyk(*Info);
    const bool EightBit = !Cmyk && Info->out_color_space != JCS_EXT_BGR;
    const int Width = static_cast<int>(Info->output_width), Height = static_cast<int>(Info->output_height);
    CheckPictureSize(Width, Height, EightBit ? 8 : 24, FormatName);
    *Out = TBitmap(Width, Height, EightBit ? pf8bit : pf24bit);
    if (Cmyk) S->CmykRow.resize(std::size_t(Width) * 4);
    jpeg_start_decompress(Info);
    if (EightBit) Out->SetPalette(OutputPalette(*Info));
    while (Info->output_scanline < Info->output_height) {
        const int Y = static_cast<int>(Info->output_scanline);
        JSAMPROW Row = Cmyk ? S->CmykRow.data() : Out->ScanLine(Y);
        if (jpeg_read_scanlines(Info, &Row, 1) != 1) break;
        if (Cmyk) CmykRowToBgr(Row, Out->ScanLine(Y), Width, Info->saw_Adobe_marker);
    }
    jpeg_finish_decompress(Info);
    return true;
}

// Compressed bytes go to a vector, a chunk at a time.
struct TVectorDestination {
    jpeg_destination_mgr Pub;
    std::vector<std::uint8_t>* Out;
    std::array<JOCTET, 65536> Chunk;
};

TVectorDestination& DestinationOf(j_compress_ptr Info) { return *reinterpret_cast<TVectorDestination*>(Info->dest); }

void StartChunk(j_compress_ptr Info) {
    TVectorDestination& D = DestinationOf(Info);
    D.Pub.next_output_byte = D.Chunk.data();
    D.Pub.free_in_buffer = D.Chunk.size();
}

void AppendChunk(j_compress_ptr Info, std::size_t Count) {
    TVectorDestination& D = DestinationOf(Info);
    bool OutOfMemory = false;
    try {
        D.Out->insert(D.Out->end(), D.Chunk.data(), D.Chunk.data() + Count);
    } catch (const std::bad_alloc&) {
        OutOfMemory = true;
    }
    if (OutOfMemory) ExitWith(reinterpret_cast<j_common_ptr>(Info), JERR_OUT_OF_MEMORY);
    StartChunk(Info);
}

boolean ChunkFull(j_compress_ptr Info) {
    AppendChunk(Info, DestinationOf(Info).Chunk.size());
    return TRUE;
}

void LastChunk(j_compress_ptr Info) { AppendChunk(Info, DestinationOf(Info).Chunk.size() - DestinationOf(Info).Pub.free_in_buffer); }

// Owns one compressor, with the same setjmp discipline as TJpegSession.
struct TJpegWriter {
    jpeg_compress_struct Info{};
    TErrorManager Err{};
    TVectorDestination Destination{};

    explicit TJpegWriter(std::vector<std::uint8_t>* Out) {
        Info.err = InstallHandlers(Err);
        Destination.Pub.init_destination = StartChunk;
        Destination.Pub.empty_output_buffer = ChunkFull;
        Destination.Pub.term_destination = LastChunk;
        Destination.Out = Out;
    }
    TJpegWriter(const TJpegWriter&) = delete;
    TJpegWriter& operator=(const TJpegWriter&) = delete;
    ~TJpegWriter() { jpeg_destroy_compress(&Info); }
};

bool EncodeInto(TJpegWriter* W, const TBitmap* B, int Quality) {
    if (setjmp(W->Err.Jump)) return false;
    jpeg_compress_struct* Info = &W->Info;
    jpeg_create_compress(Info);
    Info->dest = &W->Destination.Pub;
    Info->image_width = static_cast<JDIMENSION>(B->Width());
    Info->image_height = static_cast<JDIMENSION>(B->Height());
    Info->input_components = 3;
    Info->in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(Info);
    jpeg_set_quality(Info, Quality, TRUE);
    for (int I = 0; I < Info->num_components; ++I) Info->comp_info[I].h_samp_factor = Info->comp_info[I].v_samp_factor = 1;
    Info->optimize_coding = TRUE;
    jpeg_start_compress(Info, TRUE);
    while (Info->next_scanline < Info->image_height) {
        JSAMPROW Row = const_cast<JSAMPROW>(B->ScanLine(static_cast<int>(Info->next_scanline)));
        jpeg_write_scanlines(Info, &Row, 1);
    }
    jpeg_finish_compress(Info);
    return true;
}

}  // namespace

TJpegHeader ReadJpegHeader(std::span<const std::uint8_t> Data) {
    TJpegSession Session;
    if (!ReadHeaderInto(&Session, Data)) Session.Fail();
    const auto& Info = Session.Info;
    TJpegHeader Header{static_cast<int>(Info.image_width), static_cast<int>(Info.image_height), Info.num_components};
    CheckPictureSize(Header.Width, Header.Height, Header.Components == 1 ? 8 : 24, FormatName);
    return Header;
}

TJpegDecoded DecodeJpeg(std::span<const std::uint8_t> Data, const TJpegDecodeOptions& Options) {
    TJpegDecoded Result;
    TJpegSession Session(&Result.Warnings);
    if (!DecodeInto(&Session, Data, &Options, &Result.Bitmap)) Session.Fail();
    return Result;
}

std::vector<std::uint8_t> WriteJpeg(const TBitmap& Bitmap, int Quality) {
    TBitmap Scratch;
    const TBitmap& B = As24Bit(Bitmap, Scratch);
    std::vector<std::uint8_t> Out;
    TJpegWriter Writer(&Out);
    if (!EncodeInto(&Writer, &B, std::clamp(Quality, 1, 100)))
        throw ERefusal(std::string("JPEG kann nicht geschrieben werden: ") + Writer.Err.Message, TRefusal::EncodingFailed,
                       {.Subject = "JPEG", .Width = B.Width(), .Height = B.Height(), .Detail = Writer.Err.Message});
    return Out;
}
