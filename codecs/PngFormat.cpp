#include "PngFormat.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <cstring>
#include <png.h>

#include "Bitmap24.h"
#include "Exception.h"

namespace {

// libpng reports errors through these callbacks; they longjmp back to the function that
// called setjmp, which holds no objects with destructors. The owner of the libpng
// structures then throws, so no C++ exception crosses libpng's C frames.
struct TPngSession {
    std::span<const std::uint8_t> Input;
    std::size_t Position = 0;
    std::vector<std::uint8_t>* Output = nullptr;
    char Message[200] = {};
};

TPngSession& SessionOf(png_structp Png) { return *static_cast<TPngSession*>(png_get_error_ptr(Png)); }

[[noreturn]] void OnError(png_structp Png, png_const_charp Message) {
    std::snprintf(SessionOf(Png).Message, sizeof SessionOf(Png).Message, "%s", Message);
    png_longjmp(Png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

void ReadBytes(png_structp Png, png_bytep Data, std::size_t Length) {
    TPngSession& S = SessionOf(Png);
    if (Length > S.Input.size() - S.Position) png_error(Png, "unexpected end of file");
    std::memcpy(Data, S.Input.data() + S.Position, Length);
    S.Position += Length;
}

// libpng allocates a chunk's claimed length before reading it. Its own buffers are rows
// and metadata, never the picture, so a request beyond this is a hostile length.
constexpr png_alloc_size_t MaxLibpngAllocation = 64 * 1024 * 1024;

png_voidp BoundedMalloc(png_structp, png_alloc_size_t Size) { return Size <= MaxLibpngAllocation ? std::malloc(Size) : nullptr; }

void Free(png_structp, png_voidp Pointer) { std::free(Pointer); }

void WriteBytes(png_structp Png, png_bytep Data, std::size_t Length) {
    std::vector<std::uint8_t>& Out = *SessionOf(Png).Output;
    bool OutOfMemory = false;
    try {
        Out.insert(Out.end(), Data, Data + Length);
    } catch (const std::bad_alloc&) {
        OutOfMemory = true;
    }
    if (OutOfMemory) png_error(Png, "kein Speicher");
}

void FlushNothing(png_structp) {}

constexpr const char* FormatName = "PNG";
constexpr std::size_t SignatureSize = 8;

// Transparency laid over black in plain 8-bit arithmetic: each channel × alpha / 255,
// rounded to the nearest value ((c × a + 127) / 255 has no ties to break).
void LayOverBlack(const png_byte* Bgra, std::uint8_t* Bgr, int Width) {
    for (int X = 0; X < Width; ++X, Bgra += 4, Bgr += 3) {
        const unsigned Alpha = Bgra[3];
        for (int C = 0; C < 3; ++C) Bgr[C] = std::uint8_t((Bgra[C] * Alpha + 127) / 255);
    }
}

class TPngReader {
public:
    explicit TPngReader(std::span<const std::uint8_t> Data) {
        FSession.Input = Data;
        FPng = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &FSession, OnError, OnWarning, nullptr, BoundedMalloc, Free);
        if (FPng) FInfo = png_create_info_struct(FPng);
        if (!FInfo) {
            png_destroy_read_struct(&FPng, &FInfo, nullptr);
            throw EInvalidGraphic("PNG-Decoder kann nicht angelegt werden");
        }
        png_set_read_fn(FPng, &FSession, ReadBytes);
        // The size is checked against our limits after the header, with its own reason.
        png_set_user_limits(FPng, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    }
    TPngReader(const TPngReader&) = delete;
    TPngReader& operator=(const TPngReader&) = delete;
    ~TPngReader() { png_destroy_read_struct(&FPng, &FInfo, nullptr); }

    TBitmap Read() {
        const std::span<const std::uint8_t> Data = FSession.Input;
        if (Data.size() < SignatureSize || png_sig_cmp(Data.data(), 0, SignatureSize) != 0)
            throw EInvalidGraphic("Ungültige PNG-Datei: keine PNG-Signatur", TReadFailure::NotAPicture, FormatName,
                                  "no PNG signature");
        TBitmap Result;
        std::vector<png_byte> Staging;
        if (!ReadInto(&Result, &Staging))
            throw EInvalidGraphic(std::string("Ungültige PNG-Datei: ") + FSession.Message, TReadFailure::Damaged,
                                  FormatName, FSession.Message);
        return Result;
    }

private:
    // Every format becomes 8-bit BGR, or BGRA when the file has transparency (an alpha
    // channel or a tRNS chunk). BGR rows go straight into the bitmap; BGRA rows pass
    // through Staging (one row, or all rows of an interlaced picture, whose passes fill
    // each row in turn) and are laid over black.
    bool ReadInto(TBitmap* Result, std::vector<png_byte>* Staging) {
        if (setjmp(png_jmpbuf(FPng))) return false;
        png_read_info(FPng, FInfo);
        const int Width = static_cast<int>(png_get_image_width(FPng, FInfo));
        const int Height = static_cast<int>(png_get_image_height(FPng, FInfo));
        CheckPictureSize(Width, Height, 24, FormatName);
        png_set_expand(FPng);      // palettes to colours, grey below 8 bits to 8 bits, tRNS to alpha
        png_set_scale_16(FPng);    // 16-bit samples rounded to 8 bits: v × 255 / 65535
        png_set_gray_to_rgb(FPng);
        png_set_bgr(FPng);
        const int Passes = png_set_interlace_handling(FPng);
        png_read_update_info(FPng, FInfo);
        const bool Alpha = png_get_channels(FPng, FInfo) == 4;
        if (png_get_rowbytes(FPng, FInfo) != std::size_t(Width) * (Alpha ? 4 : 3)) png_error(FPng, "unexpected row layout");
        *Result = TBitmap(Width, Height, pf24bit);
        const std::size_t StagingRowBytes = std::size_t(Width) * 4;
        if (Alpha) Staging->resize(StagingRowBytes * std::size_t(Passes > 1 ? Height : 1));
        for (int Pass = 0; Pass < Passes; ++Pass) {
            for (int Y = 0; Y < Height; ++Y) {
                png_bytep Row = Alpha ? Staging->data() + (Passes > 1 ? std::size_t(Y) * StagingRowBytes : 0) : Result->ScanLine(Y);
                png_read_row(FPng, Row, nullptr);
                if (Alpha && Pass == Passes - 1) LayOverBlack(Row, Result->ScanLine(Y), Width);
            }
        }
        png_read_end(FPng, nullptr);
        return true;
    }

    TPngSession FSession;
    png_structp FPng = nullptr;
    png_infop FInfo = nullptr;
};

class TPngWriter {
public:
    TPngWriter() {
        FPng = png_create_write_struct(PNG_LIBPNG_VER_STRING, &FSession, OnError, OnWarning);
        if (FPng) FInfo = png_create_info_struct(FPng);
        if (!FInfo) {
            png_destroy_write_struct(&FPng, &FInfo);
            throw ERefusal("PNG-Encoder kann nicht angelegt werden", TRefusal::EncodingFailed,
                           {.Subject = "PNG", .Detail = "the encoder cannot be made"});
        }
    }
    TPngWriter(const TPngWriter&) = delete;
    TPngWriter& operator=(const TPngWriter&) = delete;
    ~TPngWriter() { png_destroy_write_struct(&FPng, &FInfo); }

    std::vector<std::uint8_t> Write(const TBitmap& B, const TPngTextChunks& Text) {
        std::vector<std::uint8_t> Out;
        FSession.Output = &Out;
        png_set_write_fn(FPng, &FSession, WriteBytes, FlushNothing);
        std::vector<png_text> Chunks(Text.size());
        for (std::size_t I = 0; I < Text.size(); ++I) {
            Chunks[I].compression = PNG_ITXT_COMPRESSION_NONE;
            Chunks[I].key = const_cast<png_charp>(Text[I].first.c_str());
            Chunks[I].text = const_cast<png_charp>(Text[I].second.c_str());
            Chunks[I].itxt_length = Text[I].second.size();
        }
        std::vector<png_bytep> Rows(std::size_t(B.Height()));
        for (int Y = 0; Y < B.Height(); ++Y) Rows[std::size_t(Y)] = const_cast<png_bytep>(B.ScanLine(Y));
        if (!WriteFrom(B, &Chunks, &Rows))
            throw ERefusal(std::string("PNG kann nicht geschrieben werden: ") + FSession.Message, TRefusal::EncodingFailed,
                           {.Subject = "PNG", .Width = B.Width(), .Height = B.Height(), .Detail = FSession.Message});
        return Out;
    }

private:
    bool WriteFrom(const TBitmap& B, std::vector<png_text>* Chunks, std::vector<png_bytep>* Rows) {
        if (setjmp(png_jmpbuf(FPng))) return false;
        png_set_IHDR(FPng, FInfo, png_uint_32(B.Width()), png_uint_32(B.Height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        if (!Chunks->empty()) png_set_text(FPng, FInfo, Chunks->data(), static_cast<int>(Chunks->size()));
        png_set_rows(FPng, FInfo, Rows->data());
        png_write_png(FPng, FInfo, PNG_TRANSFORM_BGR, nullptr);
        return true;
    }

    TPngSession FSession;
    png_structp FPng = nullptr;
    png_infop FInfo = nullptr;
};

}  // namespace

TBitmap ReadPng(std::span<const std::uint8_t> Data) { return TPngReader(Data).Read(); }

std::vector<std::uint8_t> WritePng(const TBitmap& Bitmap, const TPngTextChunks& Text) {
    TBitmap Scratch;
    return TPngWriter().Write(As24Bit(Bitmap, Scratch), Text);
}
