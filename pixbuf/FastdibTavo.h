// TFastDIBTavo: a device-independent bitmap in memory with a table of row pointers, so
// that the generator reaches any pixel with one table lookup. Rows are top-down and
// padded to 32-bit words; 24-bit pixels are stored blue, green, red.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "Bitmap.h"
#include "Object.h"

#pragma pack(push, 1)
// A pixel as handed in and out: three bytes in memory order blue, green, red.
struct TFColor {
    std::uint8_t b, g, r;
};

// The 40-byte device-independent bitmap header.
struct TBitmapInfoHeader {
    std::uint32_t biSize;
    std::int32_t biWidth;
    std::int32_t biHeight;
    std::uint16_t biPlanes;
    std::uint16_t biBitCount;
    std::uint32_t biCompression;
    std::uint32_t biSizeImage;
    std::int32_t biXPelsPerMeter;
    std::int32_t biYPelsPerMeter;
    std::uint32_t biClrUsed;
    std::uint32_t biClrImportant;
};

// Header followed by 256 colour entries; with bit fields entries 0, 1, 2 are the red,
// green and blue masks.
struct TBitmapInfo {
    TBitmapInfoHeader bmiHeader;
    std::array<std::uint32_t, 256> bmiColors;
};
#pragma pack(pop)
static_assert(sizeof(TBitmapInfoHeader) == 40 && sizeof(TBitmapInfo) == 1064);

constexpr std::uint32_t BI_RGB = 0;
constexpr std::uint32_t BI_BITFIELDS = 3;

using PLine8 = std::uint8_t*;
using PLine16 = std::uint16_t*;
using PLine24 = TFColor*;
using PLine32 = std::uint32_t*;

class TFastDIBTavo : public TObject {
public:
    TFastDIBTavo();
    ~TFastDIBTavo() override = default;
    TFastDIBTavo(const TFastDIBTavo&) = delete;
    TFastDIBTavo& operator=(const TFastDIBTavo&) = delete;

    // New pixel memory of the given size and format (Code: 565, 555 or 888 for 16 and
    // 32 bits, 0 for the default); a call with the current size and format keeps the
    // memory and its contents. MaxBytes bounds the pixel memory (see CheckPictureSize). A
    // negative bit count raises Exception, a size past the limits EInvalidGraphic; both
    // leave the buffer as it was.
    void SetSize(int W, int H, int Bpp, int Code, std::int64_t MaxBytes = MaxPictureBytes);
    // Fills the header, sizes, masks and shifts without allocating; a non-null Address
    // is attached as the pixel memory.
    void SetLayout(std::uint8_t* Address, int W, int H, int Bpp, int Code);
    // Uses Address as the pixel memory and rebuilds the row table.
    void AttachBits(std::uint8_t* Address);

    // Pixel access at 16, 24 and 32 bits per pixel; other formats write nothing and leave
    // Color unchanged. Row and column are not checked.
    void WritePixel(int Row, int Column, const TFColor& Color);
    void ReadPixel(int Row, int Column, TFColor& Color) const;

    // Sizes the buffer from Bitmap and copies its pixels in, converted to Bpp bits per
    // pixel (0: the bitmap's own). An empty bitmap gives an empty 0 × 0 buffer.
    void LoadFromBitmap(const TBitmap& Bitmap, std::uint8_t Bpp, int Code);
    // Copies the whole buffer one to one onto Target at (X, Y), cut off at its edges and
    // at the pixel memory held (a width set larger afterwards reads nothing beyond it); a
    // bit count below 1 draws nothing.
    void Draw(TBitmap& Target, int X, int Y) const;

    int Width() const { return BitmapInfo.bmiHeader.biWidth; }
    void SetWidth(int Value) { BitmapInfo.bmiHeader.biWidth = Value; }
    int BitCount() const { return BitmapInfo.bmiHeader.biBitCount; }

    // Header and layout, readable as plain fields.
    int RowBytes = 0;
    int Height = 0;
    int RowPadding = 0;
    int ChannelBits = 0;
    std::uint8_t* Bits = nullptr;
    std::uint32_t* ColorTable = nullptr;
    TBitmapInfo BitmapInfo{};
    std::uint8_t BlueShiftRight = 0;
    std::uint8_t GreenShiftRight = 0;
    std::uint8_t GreenShiftLeft = 0;
    std::uint8_t RedShiftRight = 0;
    std::uint8_t RedShiftLeft = 0;
    // One table of row starts, seen as rows of bytes, 16-bit, 3-byte and 4-byte pixels.
    PLine8* RowTable = nullptr;
    PLine8* Rows8 = nullptr;
    PLine16* Rows16 = nullptr;
    PLine24* Rows24 = nullptr;
    PLine32* Rows32 = nullptr;

private:
    std::vector<std::uint8_t> FPixels;  // owned pixel memory (unused when bits are attached)
    int FHeldRowBytes = 0;              // the row length the pixel memory was attached with
    std::vector<PLine8> FRowTable;      // the views hold the same addresses, typed
    std::vector<PLine16> FRowTable16;
    std::vector<PLine24> FRowTable24;
    std::vector<PLine32> FRowTable32;
};

inline void TFastDIBTavo::WritePixel(int Row, int Column, const TFColor& Color) {
    switch (BitCount()) {
        case 16: {
            const unsigned V = (unsigned(Color.r >> RedShiftRight) << RedShiftLeft) |
                               (unsigned(Color.g >> GreenShiftRight) << GreenShiftLeft) | unsigned(Color.b >> BlueShiftRight);
            const auto Packed = std::uint16_t(V);
            std::memcpy(Rows8[Row] + 2 * std::size_t(Column), &Packed, 2);
            break;
        }
        case 24: std::memcpy(Rows8[Row] + 3 * std::size_t(Column), &Color, 3); break;
        case 32: std::memcpy(Rows8[Row] + 4 * std::size_t(Column), &Color, 3); break;
        default: break;
    }
}

inline void TFastDIBTavo::ReadPixel(int Row, int Column, TFColor& Color) const {
    switch (BitCount()) {
        case 16: {
            std::uint16_t V;
            std::memcpy(&V, Rows8[Row] + 2 * std::size_t(Column), 2);
            Color.b = std::uint8_t(std::uint8_t(V) << BlueShiftRight);
            Color.g = std::uint8_t(std::uint8_t(V >> GreenShiftLeft) << GreenShiftRight);
            Color.r = std::uint8_t(std::uint8_t(V >> RedShiftLeft) << RedShiftRight);
            break;
        }
        case 24: std::memcpy(&Color, Rows8[Row] + 3 * std::size_t(Column), 3); break;
        case 32: std::memcpy(&Color, Rows8[Row] + 4 * std::size_t(Column), 3); break;
        default: break;
    }
}

// The 16-bit layout of the display: 565 or 555. Without a display, 565.
int Detect16BitFormat();
