// In-memory bitmap: a pixel format (palette formats with their palette, 16-bit, 24-bit,
// 32-bit), width, height and top-down scan lines padded to 32-bit words.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "Color.h"
#include "Graphic.h"

// pf15bit is 16 bits per pixel with 5 bits per channel, pf16bit 16 bits with 5-6-5.
enum TPixelFormat : std::uint8_t { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

int BitsPerPixel(TPixelFormat Format);
bool IsPaletteFormat(TPixelFormat Format);

// Pictures larger than this are refused: no header may make us allocate without bound.
constexpr int MaxPictureSide = 16384;
constexpr std::int64_t MaxPictureBytes = std::int64_t(256) * 1024 * 1024;
// Raises EInvalidGraphic (TooLarge, naming Format and the size) when a picture of that size
// and format would exceed the limits. MaxBytes is lifted only for pictures the program
// makes itself at sizes it chose.
void CheckPictureSize(int Width, int Height, int BitsPerPixel, std::string_view Format = {},
                      std::int64_t MaxBytes = MaxPictureBytes);

class TBitmap : public TGraphic {
public:
    TBitmap() = default;
    TBitmap(int AWidth, int AHeight, TPixelFormat AFormat = pf24bit);

    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    std::unique_ptr<TGraphic> Clone() const override;
    void Draw(TBitmap& Target, int X, int Y) const override;
    void AssignTo(TBitmap& Dest) const override { Dest = *this; }

    // Copies any picture into this bitmap.
    void Assign(const TGraphic& Source) { Source.AssignTo(*this); }

    // Resizing keeps the pixels of the area both sizes share; new pixels are black
    // (palette index 0). Negative sizes count as 0; sizes past the limits raise Exception.
    void SetWidth(int Value) { SetSize(Value, FHeight); }
    void SetHeight(int Value) { SetSize(FWidth, Value); }
    void SetSize(int AWidth, int AHeight, std::int64_t MaxBytes = MaxPictureBytes);

    TPixelFormat PixelFormat() const { return FFormat; }
    // Converts the pixels to the new format; a palette format gets its default palette
    // and every pixel its nearest palette colour.
    void SetPixelFormat(TPixelFormat Value);

    // A monochrome bitmap is one bit per pixel with the palette black, white.
    bool Monochrome() const;
    void SetMonochrome(bool Value);

    std::span<const TColor32> Palette() const { return FPalette; }
    // Replaces the palette of a palette format (at most 2^bits entries; pixels keep their indices).
    void SetPalette(std::vector<TColor32> Colors);

    int RowBytes() const { return FRowBytes; }
    // Row 0 is the top row; an index outside 0 … Height − 1 raises EInvalidGraphic.
    std::uint8_t* ScanLine(int Row);
    const std::uint8_t* ScanLine(int Row) const;

    // Colour of one pixel in any format; coordinates outside the bitmap read black and
    // write nothing.
    TColor32 Pixel(int X, int Y) const;
    void SetPixel(int X, int Y, TColor32 Color);

private:
    static int RowBytesFor(int AWidth, TPixelFormat AFormat);
    int NearestPaletteIndex(TColor32 Color) const;

    int FWidth = 0;
    int FHeight = 0;
    TPixelFormat FFormat = pf24bit;
    int FRowBytes = 0;
    std::vector<TColor32> FPalette;
    std::vector<std::uint8_t> FBits;
};
