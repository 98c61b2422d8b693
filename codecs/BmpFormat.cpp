#include "BmpFormat.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <string>

#include "Bitmap24.h"
#include "Exception.h"

namespace {

enum : std::uint32_t { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };
constexpr std::size_t FileHeaderSize = 14;
constexpr std::size_t CoreHeaderSize = 12;
constexpr std::size_t InfoHeaderSize = 40;
constexpr std::size_t V2HeaderSize = 52;  // the first header with the masks inside it
constexpr std::size_t MaxHeaderSize = 4096;

constexpr const char* FormatName = "BMP";

// Why is the German word for the window, Detail the English one for the command line.
[[noreturn]] void Invalid(TReadFailure Failure, const char* Why, const std::string& Detail) {
    throw EInvalidGraphic(std::string("Ungültige Bitmap-Datei: ") + Why, Failure, FormatName, Detail);
}

class TReader {
public:
    explicit TReader(std::span<const std::uint8_t> Data) : FData(Data) {}

    void Need(std::size_t Offset, std::uint64_t Length) const {
        if (Offset > FData.size() || Length > FData.size() - Offset)
            Invalid(TReadFailure::Damaged, "Datei ist abgeschnitten",
                    "the file ends at byte " + std::to_string(FData.size()) + ", before the " + std::to_string(Length) +
                        " bytes needed at byte " + std::to_string(Offset));
    }
    std::uint16_t U16(std::size_t Offset) const {
        Need(Offset, 2);
        return std::uint16_t(FData[Offset] | (FData[Offset + 1] << 8));
    }
    std::uint32_t U32(std::size_t Offset) const {
        Need(Offset, 4);
        return std::uint32_t(U16(Offset)) | (std::uint32_t(U16(Offset + 2)) << 16);
    }
    std::int32_t I32(std::size_t Offset) const { return static_cast<std::int32_t>(U32(Offset)); }
    std::size_t Size() const { return FData.size(); }
    const std::uint8_t* At(std::size_t Offset) const { return FData.data() + Offset; }

private:
    std::span<const std::uint8_t> FData;
};

struct TChannelMask {
    std::uint32_t Mask = 0;
    int Shift = 0;
    int Bits = 0;

    explicit TChannelMask(std::uint32_t M = 0) : Mask(M) {
        if (!M) return;
        Shift = std::countr_zero(M);
        Bits = std::min(std::popcount(M >> Shift), 32);
    }
    std::uint8_t Extract(std::uint32_t Value) const {
        if (Bits == 0) return 0;
        const std::uint32_t V = (Value & Mask) >> Shift;
        if (Bits >= 8) return std::uint8_t(V >> (Bits - 8));
        return std::uint8_t(V * 255u / ((1u << Bits) - 1u));
    }
};

struct THeader {
    int Width = 0;
    int Height = 0;
    bool TopDown = false;
    int Bits = 0;
    std::uint32_t Compression = BI_RGB;
    std::uint32_t ColorsUsed = 0;
    std::size_t PaletteOffset = 0;
    std::size_t PaletteEntrySize = 4;
    bool HasMasks = false;
    TChannelMask Red, Green, Blue;
};

THeader ReadHeader(const TReader& R) {
    if (R.U16(0) != 0x4D42) Invalid(TReadFailure::NotAPicture, "keine Bitmap", "no BM signature");
    const std::uint32_t HeaderSize = R.U32(FileHeaderSize);
    THeader H;
    std::int64_t Height = 0;
    if (HeaderSize == CoreHeaderSize) {
        H.Width = R.U16(FileHeaderSize + 4);
        Height = R.U16(FileHeaderSize + 6);
        H.Bits = R.U16(FileHeaderSize + 10);
        H.PaletteEntrySize = 3;
    } else if (HeaderSize >= InfoHeaderSize && HeaderSize <= MaxHeaderSize) {
        H.Width = R.I32(FileHeaderSize + 4);
        Height = R.I32(FileHeaderSize + 8);
        H.Bits = R.U16(FileHeaderSize + 14);
        H.Compression = R.U32(FileHeaderSize + 16);
        H.ColorsUsed = R.U32(FileHeaderSize + 32);
    } else {
        Invalid(TReadFailure::Unsupported, "unbekannter Bildkopf", "unknown header size " + std::to_string(HeaderSize));
    }
    H.TopDown = Height < 0;
    Height = H.TopDown ? -Height : Height;
    if (H.Width <= 0 || Height <= 0)
        Invalid(TReadFailure::Damaged, "Bildgröße ist null oder negativ",
                "width " + std::to_string(H.Width) + " and height " + std::to_string(Height) + " must be positive");
    H.Height = static_cast<int>(std::min<std::int64_t>(Height, INT32_MAX));  // checked against the limits later
    H.PaletteOffset = FileHeaderSize + HeaderSize;

    if (H.Compression == BI_BITFIELDS || H.Compression == BI_ALPHABITFIELDS) {
        std::size_t MaskOffset = FileHeaderSize + InfoHeaderSize;
        if (HeaderSize < V2HeaderSize) H.PaletteOffset += H.Compression == BI_BITFIELDS ? 12 : 16;
        H.Red = TChannelMask(R.U32(MaskOffset));
        H.Green = TChannelMask(R.U32(MaskOffset + 4));
        H.Blue = TChannelMask(R.U32(MaskOffset + 8));
        H.HasMasks = true;
    }
    return H;
}

bool MasksAre(const THeader& H, std::uint32_t Red, std::uint32_t Green, std::uint32_t Blue) {
    return H.Red.Mask == Red && H.Green.Mask == Green && H.Blue.Mask == Blue;
}

// The bitmap's pixel format; pf24bit also stands for 16- and 32-bit layouts read through masks.
TPixelFormat FormatOf(const THeader& H) {
    const bool Plain = H.Compression == BI_RGB;
    switch (H.Bits) {
        case 1:
            if (Plain) return pf1bit;
            break;
        case 4:
            if (Plain || H.Compression == BI_RLE4) return pf4bit;
            break;
        case 8:
            if (Plain || H.Compression == BI_RLE8) return pf8bit;
            break;
        case 16:
            if (Plain || MasksAre(H, 0x7C00, 0x03E0, 0x001F)) return pf15bit;
            if (MasksAre(H, 0xF800, 0x07E0, 0x001F)) return pf16bit;
            if (H.HasMasks) return pf24bit;
            break;
        case 24:
            if (Plain) return pf24bit;
            break;
        case 32:
            if (Plain || MasksAre(H, 0xFF0000, 0x00FF00, 0x0000FF)) return pf32bit;
            if (H.HasMasks) return pf24bit;
            break;
        default: break;
    }
    Invalid(TReadFailure::Unsupported, "Format wird nicht unterstützt",
            std::to_string(H.Bits) + " bits per pixel with compression " + std::to_string(H.Compression));
}

// Reads the palette and returns where the pixels start. A palette shorter than the format
// allows is kept short, so that indices past it read black.
std::size_t ReadPalette(const TReader& R, const THeader& H, TBitmap& B) {
    std::size_t PixelOffset = R.U32(10);
    if (H.Bits > 8) return std::max(PixelOffset, H.PaletteOffset);
    std::size_t Entries = std::size_t(1) << H.Bits;
    if (H.ColorsUsed != 0) Entries = std::min<std::size_t>(Entries, H.ColorsUsed);
    const std::size_t PaletteEnd = H.PaletteOffset + Entries * H.PaletteEntrySize;
    if (PixelOffset < H.PaletteOffset)
        PixelOffset = PaletteEnd;  // a missing offset: the pixels follow the palette
    else if (PixelOffset < PaletteEnd)
        Entries = (PixelOffset - H.PaletteOffset) / H.PaletteEntrySize;
    R.Need(H.PaletteOffset, Entries * H.PaletteEntrySize);
    std::vector<TColor32> Palette(Entries);
    for (std::size_t I = 0; I < Entries; ++I) {
        const std::uint8_t* E = R.At(H.PaletteOffset + I * H.PaletteEntrySize);
        Palette[I] = PackColor(E[2], E[1], E[0]);
    }
    B.SetPalette(std::move(Palette));
    return PixelOffset;
}

int BitmapRow(const THeader& H, int FileRow) { return H.TopDown ? FileRow : H.Height - 1 - FileRow; }

void ReadMaskedPixels(const std::uint8_t* Src, const THeader& H, TBitmap& B, int Y) {
    std::uint8_t* Dest = B.ScanLine(Y);
    const int Bytes = H.Bits / 8;
    for (int X = 0; X < H.Width; ++X) {
        std::uint32_t V = 0;
        for (int I = 0; I < Bytes; ++I) V |= std::uint32_t(Src[X * Bytes + I]) << (8 * I);
        Dest[3 * X] = H.Blue.Extract(V);
        Dest[3 * X + 1] = H.Green.Extract(V);
        Dest[3 * X + 2] = H.Red.Extract(V);
    }
}

std::size_t SourceRowBytes(const THeader& H) { return ((std::size_t(H.Width) * std::size_t(H.Bits) + 31) / 32) * 4; }

void ReadUncompressed(const TReader& R, const THeader& H, std::size_t PixelOffset, TBitmap& B) {
    const bool Masked = B.PixelFormat() == pf24bit && H.Bits != 24;
    for (int FileRow = 0; FileRow < H.Height; ++FileRow) {
        const std::uint8_t* Src = R.At(PixelOffset + std::size_t(FileRow) * SourceRowBytes(H));
        const int Y = BitmapRow(H, FileRow);
        if (Masked)
            ReadMaskedPixels(Src, H, B, Y);
        else
            std::memcpy(B.ScanLine(Y), Src, std::size_t(B.RowBytes()));
    }
}

// Run-length codes can leave any area black for a few bytes (end of line, moves, end of
// picture), so the header's size alone would let a tiny file demand the largest picture.
// Pictures up to RleFreePixels are read whatever their data: they stay far below the memory
// a reader may take. A larger one may be no larger than its data could fill with runs,
// 255 pixels for every two bytes.
constexpr std::int64_t RleFreePixels = std::int64_t(4096) * 4096;
constexpr std::int64_t RlePixelsPerCode = 255;

void CheckRleDataFillsPicture(const THeader& H, std::size_t DataBytes) {
    const std::int64_t Pixels = std::int64_t(H.Width) * H.Height;
    if (Pixels > RleFreePixels && Pixels > std::int64_t(DataBytes / 2) * RlePixelsPerCode)
        Invalid(TReadFailure::Damaged, "zu wenig Bilddaten",
                "RLE data of " + std::to_string(DataBytes) + " bytes cannot fill " + std::to_string(H.Width) + " x " +
                    std::to_string(H.Height) + " pixels");
}

// Run-length data: a count and a value, or 0 and an escape (end of row, end of picture,
// a move, or a run of literal pixels). Whatever lands outside the picture is dropped.
class TRleDecoder {
public:
    TRleDecoder(const TReader& R, const THeader& H, TBitmap& B) : FReader(R), FHeader(H), FBitmap(B) {}

    void Decode(std::size_t Offset) {
        const bool Four = FHeader.Compression == BI_RLE4;
        std::size_t P = Offset;
        while (FY < FHeader.Height && P + 2 <= FReader.Size()) {
            const int Count = *FReader.At(P);
            const std::uint8_t Value = *FReader.At(P + 1);
            P += 2;
            if (Count > 0) {
                for (int I = 0; I < Count; ++I) Put(FX + I, Four ? ((I & 1) ? Value & 0x0F : Value >> 4) : Value);
                Advance(Count, 0);
            } else if (Value == 0) {
                FX = 0;
                ++FY;
            } else if (Value == 1) {
                break;
            } else if (Value == 2) {
                FReader.Need(P, 2);
                Advance(*FReader.At(P), *FReader.At(P + 1));
                P += 2;
            } else {
                const std::size_t Bytes = Four ? (Value + 1u) / 2 : Value;
                FReader.Need(P, Bytes);
                for (int I = 0; I < Value; ++I) {
                    const std::uint8_t Byte = *FReader.At(P + std::size_t(Four ? I / 2 : I));
                    Put(FX + I, Four ? ((I & 1) ? Byte & 0x0F : Byte >> 4) : Byte);
                }
                Advance(Value, 0);
                P += (Bytes + 1) & ~std::size_t(1);  // literal runs are padded to 16 bits
            }
        }
    }

private:
    void Advance(int DX, int DY) {
        FX = std::min(FX + DX, FHeader.Width);
        FY += DY;
    }
    void Put(int X, unsigned Index) {
        if (X >= FHeader.Width || FY >= FHeader.Height) return;
        std::uint8_t* Row = FBitmap.ScanLine(BitmapRow(FHeader, FY));
        if (FHeader.Compression == BI_RLE8) {
            Row[X] = std::uint8_t(Index);
        } else {
            std::uint8_t& Byte = Row[X >> 1];
            Byte = (X & 1) ? std::uint8_t((Byte & 0xF0) | Index) : std::uint8_t((Byte & 0x0F) | (Index << 4));
        }
    }

    const TReader& FReader;
    const THeader& FHeader;
    TBitmap& FBitmap;
    int FX = 0;
    int FY = 0;
};

using THeaders = std::array<std::uint8_t, FileHeaderSize + InfoHeaderSize>;

void PutU16(THeaders& Out, std::size_t Offset, unsigned V) {
    Out[Offset] = std::uint8_t(V);
    Out[Offset + 1] = std::uint8_t(V >> 8);
}
void PutU32(THeaders& Out, std::size_t Offset, std::uint32_t V) {
    PutU16(Out, Offset, V & 0xFFFF);
    PutU16(Out, Offset + 2, V >> 16);
}

}  // namespace

TBitmap ReadBmp(std::span<const std::uint8_t> Data) {
    if (Data.empty()) return TBitmap();
    const TReader R(Data);
    const THeader H = ReadHeader(R);
    const TPixelFormat Format = FormatOf(H);
    CheckPictureSize(H.Width, H.Height, BitsPerPixel(Format), FormatName);
    TBitmap B(0, 0, Format);
    const std::size_t PixelOffset = ReadPalette(R, H, B);
    if (H.Compression == BI_RLE4 || H.Compression == BI_RLE8) {
        R.Need(PixelOffset, 2);
        CheckRleDataFillsPicture(H, R.Size() - PixelOffset);
        B.SetSize(H.Width, H.Height);
        TRleDecoder(R, H, B).Decode(PixelOffset);
    } else {
        R.Need(PixelOffset, std::uint64_t(SourceRowBytes(H)) * std::uint64_t(H.Height));  // before allocating
        B.SetSize(H.Width, H.Height);
        ReadUncompressed(R, H, PixelOffset, B);
    }
    return B;
}

std::vector<std::uint8_t> WriteBmp(const TBitmap& Bitmap) {
    TBitmap Scratch;
    const TBitmap& B = As24Bit(Bitmap, Scratch);
    const std::size_t PixelBytes = std::size_t(B.RowBytes()) * std::size_t(B.Height());
    THeaders Out{};
    const std::size_t HeadersSize = Out.size();
    PutU16(Out, 0, 0x4D42);
    PutU32(Out, 2, std::uint32_t(HeadersSize + PixelBytes));
    PutU32(Out, 10, std::uint32_t(HeadersSize));
    PutU32(Out, FileHeaderSize, InfoHeaderSize);
    PutU32(Out, FileHeaderSize + 4, std::uint32_t(B.Width()));
    PutU32(Out, FileHeaderSize + 8, std::uint32_t(B.Height()));
    PutU16(Out, FileHeaderSize + 12, 1);
    PutU16(Out, FileHeaderSize + 14, 24);
    PutU32(Out, FileHeaderSize + 20, std::uint32_t(PixelBytes));
    std::vector<std::uint8_t> File(Out.begin(), Out.end());
    File.reserve(HeadersSize + PixelBytes);
    for (int Y = B.Height() - 1; Y >= 0; --Y) File.insert(File.end(), B.ScanLine(Y), B.ScanLine(Y) + B.RowBytes());
    return File;
}
