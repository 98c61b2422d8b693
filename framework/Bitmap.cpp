#include "Bitmap.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Exception.h"

namespace {

constexpr TColor32 kVgaColors[16] = {
    PackColor(0, 0, 0),       PackColor(128, 0, 0),   PackColor(0, 128, 0),   PackColor(128, 128, 0),
    PackColor(0, 0, 128),     PackColor(128, 0, 128), PackColor(0, 128, 128), PackColor(192, 192, 192),
    PackColor(128, 128, 128), PackColor(255, 0, 0),   PackColor(0, 255, 0),   PackColor(255, 255, 0),
    PackColor(0, 0, 255),     PackColor(255, 0, 255), PackColor(0, 255, 255), PackColor(255, 255, 255),
};

// Black and white; the 16 standard colours; a 6 × 6 × 6 colour cube followed by 40 greys.
std::vector<TColor32> DefaultPalette(TPixelFormat Format) {
    switch (Format) {
        case pf1bit: return {clBlack, clWhite};
        case pf4bit: return {std::begin(kVgaColors), std::end(kVgaColors)};
        case pf8bit: {
            std::vector<TColor32> P;
            for (int R = 0; R < 6; ++R)
                for (int G = 0; G < 6; ++G)
                    for (int B = 0; B < 6; ++B) P.push_back(PackColor(std::uint8_t(R * 51), std::uint8_t(G * 51), std::uint8_t(B * 51)));
            for (int I = 0; I < 40; ++I) {
                const auto V = std::uint8_t(I * 255 / 39);
                P.push_back(PackColor(V, V, V));
            }
            return P;
        }
        default: return {};
    }
}

std::uint8_t Expand5(unsigned C) { return std::uint8_t((C << 3) | (C >> 2)); }
std::uint8_t Expand6(unsigned C) { return std::uint8_t((C << 2) | (C >> 4)); }

}  // namespace

int BitsPerPixel(TPixelFormat Format) {
    switch (Format) {
        case pf1bit: return 1;
        case pf4bit: return 4;
        case pf8bit: return 8;
        case pf15bit:
        case pf16bit: return 16;
        case pf24bit: return 24;
        case pf32bit: return 32;
    }
    return 24;
}

bool IsPaletteFormat(TPixelFormat Format) { return Format == pf1bit || Format == pf4bit || Format == pf8bit; }

void CheckPictureSize(int Width, int Height, int Bits, std::string_view Format, std::int64_t MaxBytes) {
    const std::int64_t RowBytes = ((std::int64_t(Width) * Bits + 31) / 32) * 4;
    if (Width > MaxPictureSide || Height > MaxPictureSide || RowBytes * Height > MaxBytes)
        throw EInvalidGraphic("Bild ist zu groß", TReadFailure::TooLarge, std::string(Format),
                              std::to_string(Width) + " x " + std::to_string(Height) + " pixels");
}

TBitmap::TBitmap(int AWidth, int AHeight, TPixelFormat AFormat) : FFormat(AFormat), FPalette(DefaultPalette(AFormat)) {
    SetSize(AWidth, AHeight);
}

std::unique_ptr<TGraphic> TBitmap::Clone() const { return std::make_unique<TBitmap>(*this); }

int TBitmap::RowBytesFor(int AWidth, TPixelFormat AFormat) {
    return static_cast<int>(((std::int64_t(AWidth) * BitsPerPixel(AFormat) + 31) / 32) * 4);
}

void TBitmap::SetSize(int AWidth, int AHeight, std::int64_t MaxBytes) {
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    if (AWidth == FWidth && AHeight == FHeight) return;
    CheckPictureSize(AWidth, AHeight, BitsPerPixel(FFormat), {}, MaxBytes);

    TBitmap Resized;
    Resized.FFormat = FFormat;
    Resized.FPalette = FPalette;
    Resized.FWidth = AWidth;
    Resized.FHeight = AHeight;
    Resized.FRowBytes = RowBytesFor(AWidth, FFormat);
    Resized.FBits.assign(std::size_t(Resized.FRowBytes) * std::size_t(AHeight), 0);
    const int SharedRows = std::min(FHeight, AHeight);
    const int SharedWidth = std::min(FWidth, AWidth);
    const int WholeBytes = SharedWidth * BitsPerPixel(FFormat) / 8;
    for (int Y = 0; Y < SharedRows; ++Y) {
        std::memcpy(Resized.ScanLine(Y), ScanLine(Y), std::size_t(WholeBytes));
        // Pixels sharing a byte with the cut-off part are copied one by one.
        for (int X = WholeBytes * 8 / BitsPerPixel(FFormat); X < SharedWidth; ++X) Resized.SetPixel(X, Y, Pixel(X, Y));
    }
    *this = std::move(Resized);
}

void TBitmap::SetPixelFormat(TPixelFormat Value) {
    if (Value == FFormat) return;
    CheckPictureSize(FWidth, FHeight, BitsPerPixel(Value));
    TBitmap Converted;
    Converted.FFormat = Value;
    Converted.FPalette = DefaultPalette(Value);
    Converted.SetSize(FWidth, FHeight);
    for (int Y = 0; Y < FHeight; ++Y)
        for (int X = 0; X < FWidth; ++X) Converted.SetPixel(X, Y, Pixel(X, Y));
    *this = std::move(Converted);
}

bool TBitmap::Monochrome() const {
    return FFormat == pf1bit && FPalette.size() == 2 && FPalette[0] == clBlack && FPalette[1] == clWhite;
}

void TBitmap::SetMonochrome(bool Value) {
    if (Value == Monochrome()) return;
    if (Value) {
        if (FFormat == pf1bit) SetPixelFormat(pf24bit);  // re-quantise through the colours, not the indices
        SetPixelFormat(pf1bit);
    } else {
        SetPixelFormat(pf24bit);
    }
}

void TBitmap::SetPalette(std::vector<TColor32> Colors) {
    if (!IsPaletteFormat(FFormat)) return;
    Colors.resize(std::min(Colors.size(), std::size_t(1) << BitsPerPixel(FFormat)));
    FPalette = std::move(Colors);
}

std::uint8_t* TBitmap::ScanLine(int Row) {
    return const_cast<std::uint8_t*>(static_cast<const TBitmap*>(this)->ScanLine(Row));
}

const std::uint8_t* TBitmap::ScanLine(int Row) const {
    if (Row < 0 || Row >= FHeight) throw EInvalidGraphic("Zeilenindex außerhalb des Bildes");
    return FBits.data() + std::size_t(Row) * std::size_t(FRowBytes);
}

TColor32 TBitmap::Pixel(int X, int Y) const {
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return clBlack;
    const std::uint8_t* Row = ScanLine(Y);
    unsigned Index = 0;
    switch (FFormat) {
        case pf1bit: Index = (Row[X >> 3] >> (7 - (X & 7))) & 1u; break;
        case pf4bit: Index = (X & 1) ? Row[X >> 1] & 0x0Fu : Row[X >> 1] >> 4; break;
        case pf8bit: Index = Row[X]; break;
        case pf15bit: {
            const unsigned V = Row[2 * X] | (unsigned(Row[2 * X + 1]) << 8);
            return PackColor(Expand5((V >> 10) & 31), Expand5((V >> 5) & 31), Expand5(V & 31));
        }
        case pf16bit: {
            const unsigned V = Row[2 * X] | (unsigned(Row[2 * X + 1]) << 8);
            return PackColor(Expand5((V >> 11) & 31), Expand6((V >> 5) & 63), Expand5(V & 31));
        }
        case pf24bit: return PackColor(Row[3 * X + 2], Row[3 * X + 1], Row[3 * X]);
        case pf32bit: return PackColor(Row[4 * X + 2], Row[4 * X + 1], Row[4 * X]);
    }
    return Index < FPalette.size() ? FPalette[Index] : clBlack;
}

int TBitmap::NearestPaletteIndex(TColor32 Color) const {
    int Best = 0;
    int BestDistance = 1 << 30;
    for (std::size_t I = 0; I < FPalette.size(); ++I) {
        const int DR = int(RedOf(Color)) - RedOf(FPalette[I]);
        const int DG = int(GreenOf(Color)) - GreenOf(FPalette[I]);
        const int DB = int(BlueOf(Color)) - BlueOf(FPalette[I]);
        const int Distance = DR * DR + DG * DG + DB * DB;
        if (Distance < BestDistance) {
            BestDistance = Distance;
            Best = int(I);
        }
    }
    return Best;
}

void TBitmap::SetPixel(int X, int Y, TColor32 Color) {
    if (X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
    std::uint8_t* Row = ScanLine(Y);
    const std::uint8_t R = RedOf(Color), G = GreenOf(Color), B = BlueOf(Color);
    switch (FFormat) {
        case pf1bit: {
            const auto Mask = std::uint8_t(0x80u >> (X & 7));
            Row[X >> 3] = NearestPaletteIndex(Color) ? Row[X >> 3] | Mask : Row[X >> 3] & ~Mask;
            break;
        }
        case pf4bit: {
            const auto Index = std::uint8_t(NearestPaletteIndex(Color));
            std::uint8_t& Byte = Row[X >> 1];
            Byte = (X & 1) ? std::uint8_t((Byte & 0xF0) | Index) : std::uint8_t((Byte & 0x0F) | (Index << 4));
            break;
        }
        case pf8bit: Row[X] = std::uint8_t(NearestPaletteIndex(Color)); break;
        case pf15bit: {
            const unsigned V = ((R >> 3u) << 10) | ((G >> 3u) << 5) | (B >> 3u);
            Row[2 * X] = std::uint8_t(V);
            Row[2 * X + 1] = std::uint8_t(V >> 8);
            break;
        }
        case pf16bit: {
            const unsigned V = ((R >> 3u) << 11) | ((G >> 2u) << 5) | (B >> 3u);
            Row[2 * X] = std::uint8_t(V);
            Row[2 * X + 1] = std::uint8_t(V >> 8);
            break;
        }
        case pf24bit:
            Row[3 * X] = B;
            Row[3 * X + 1] = G;
            Row[3 * X + 2] = R;
            break;
        case pf32bit:
            Row[4 * X] = B;
            Row[4 * X + 1] = G;
            Row[4 * X + 2] = R;
            break;
    }
}

void TBitmap::Draw(TBitmap& Target, int X, int Y) const {
    const int Left = std::max(X, 0), Top = std::max(Y, 0);
    const int Right = std::min<std::int64_t>(std::int64_t(X) + FWidth, Target.FWidth);
    const int Bottom = std::min<std::int64_t>(std::int64_t(Y) + FHeight, Target.FHeight);
    if (Left >= Right || Top >= Bottom) return;
    const bool SameBytes = FFormat == Target.FFormat && (FFormat == pf24bit || FFormat == pf32bit);
    for (int TY = Top; TY < Bottom; ++TY) {
        if (SameBytes) {
            const int Bytes = BitsPerPixel(FFormat) / 8;
            std::memcpy(Target.ScanLine(TY) + std::size_t(Left) * Bytes, ScanLine(TY - Y) + std::size_t(Left - X) * Bytes,
                        std::size_t(Right - Left) * Bytes);
        } else {
            for (int TX = Left; TX < Right; ++TX) Target.SetPixel(TX, TY, Pixel(TX - X, TY - Y));
        }
    }
}
