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
    if (Length > S.Input.size() - S.Position) png_error(Png, "Datei ist abgeschnitten");
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
        png_set_user_limits(FPng, MaxPictureSide, MaxPictureSide);
    }
    TPngReader(const TPngReader&) = delete;
    TPngReader& operator=(const TPngReader&) = delete;
    ~TPngReader() { png_destroy_read_struct(&FPng, &FInfo, nullptr); }

    TBitmap Read() {
        TBitmap Result;
        std::vector<png_bytep> Rows;
        if (!ReadInto(&Result, &Rows)) throw EInvalidGraphic(std::string("Ungültige PNG-Datei: ") + FSession.Message);
        return Result;
    }

private:
    bool ReadInto(TBitmap* Result, std::vector<png_bytep>* Rows) {
        if (setjmp(png_jmpbuf(FPng))) return false;
        png_read_info(FPng, FInfo);
        png_set_expand(FPng);
        png_set_strip_16(FPng);
        png_set_gray_to_rgb(FPng);
        png_color_16 Black{};
        png_set_background(FPng, &Black, PNG_BACKGROUND_GAMMA_SCREEN, 0, 1.0);
        png_set_bgr(FPng);
        png_set_interlace_handling(FPng);
        png_read_update_info(FPng, FInfo);
        const int Width = static_cast<int>(png_get_image_width(FPng, FInfo));
        const int Height = static_cast<int>(png_get_image_height(FPng, FInfo));
        if (png_get_rowbytes(FPng, FInfo) != std::size_t(Width) * 3) png_error(FPng, "unerwartetes Pixelformat");
        CheckPictureSize(Width, Height, 24);
        *Result = TBitmap(Width, Height, pf24bit);
        Rows->resize(std::size_t(Height));
        for (int Y = 0; Y < Height; ++Y) (*Rows)[std::size_t(Y)] = Result->ScanLine(Y);
        png_read_image(FPng, Rows->data());
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
            throw Exception("PNG-Encoder kann nicht angelegt werden");
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
            Chunks[I].compression = PNG_TEXT_COMPRESSION_NONE;
            Chunks[I].key = const_cast<png_charp>(Text[I].first.c_str());
            Chunks[I].text = const_cast<png_charp>(Text[I].second.c_str());
            Chunks[I].text_length = Text[I].second.size();
        }
        std::vector<png_bytep> Rows(std::size_t(B.Height()));
        for (int Y = 0; Y < B.Height(); ++Y) Rows[std::size_t(Y)] = const_cast<png_bytep>(B.ScanLine(Y));
        if (!WriteFrom(B, &Chunks, &Rows)) throw Exception(std::string("PNG kann nicht geschrieben werden: ") + FSession.Message);
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
