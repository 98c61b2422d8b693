#include "FastdibTavo.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "Bitmap.h"
#include "Exception.h"

namespace {

// Without a display there is nothing to ask; the buffers then default to 24 bits.
constexpr int kDisplayBitsPerPixel = 24;

// The row count a height asks for: a negative height asks for the same rows top-down.
int RowCount(int H) { return H == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : std::abs(H); }

}  // namespace

int Detect16BitFormat() { return 565; }

TFastDIBTavo::TFastDIBTavo() {
    BitmapInfo.bmiHeader.biSize = sizeof(TBitmapInfoHeader);
    BitmapInfo.bmiHeader.biPlanes = 1;
    ColorTable = BitmapInfo.bmiColors.data();
}

void TFastDIBTavo::SetSize(int W, int H, int Bpp, int Code, std::int64_t MaxBytes) {
    if (Bpp == BitCount() && W == Width() && H == Height && Code == ChannelBits) return;
    // Refuse an impossible or oversized buffer before the current one is touched.
    if (Bpp < 0) throw Exception("Ungültige Farbtiefe: " + std::to_string(Bpp) + " Bit");
    CheckPictureSize(std::max(W, 0), RowCount(H), Bpp ? Bpp : kDisplayBitsPerPixel, {}, MaxBytes);
    SetLayout(nullptr, W, H, Bpp, Code);
    FPixels.assign(std::size_t(RowBytes) * std::size_t(Height), 0);
    AttachBits(FPixels.data());
}

void TFastDIBTavo::SetLayout(std::uint8_t* Address, int W, int H, int Bpp, int Code) {
    if (Bpp == 0) Bpp = kDisplayBitsPerPixel;
    if (Code == 0) {
        if (Bpp == 16) Code = Detect16BitFormat();
        if (Bpp == 32) Code = 888;
    }
    W = std::max(W, 0);  // a negative width would give negative row sizes
    TBitmapInfoHeader& Header = BitmapInfo.bmiHeader;
    Header.biWidth = W;
    Height = RowCount(H);
    Header.biHeight = -Height;
    Header.biBitCount = std::uint16_t(Bpp);
    RowBytes = int(((std::int64_t(Bpp) * W + 31) & ~std::int64_t(31)) / 8);
    Header.biSizeImage = std::uint32_t(std::int64_t(RowBytes) * Height);
    ChannelBits = Code;
    if (Bpp < 8)
        RowPadding = RowBytes - W / (8 / Bpp);
    else if (Bpp == 8)
        RowPadding = RowBytes - W;
    else
        RowPadding = RowBytes - (Bpp / 8) * W;

    if (Bpp == 16 || Bpp == 32) {
        Header.biCompression = BI_BITFIELDS;
        const std::uint32_t Full = Bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
        const int B = Code % 10, G = Code / 10 % 10, R = Code / 100 % 10;
        const std::uint32_t BlueMask = Full >> (Bpp - B);
        const std::uint32_t GreenMask = (Full >> (Bpp - B - G)) & ~BlueMask;
        const std::uint32_t RedMask = (Full >> (Bpp - B - G - R)) & ~(BlueMask | GreenMask);
        ColorTable[0] = RedMask;
        ColorTable[1] = GreenMask;
        ColorTable[2] = BlueMask;
        BlueShiftRight = std::uint8_t(8 - B);
        GreenShiftLeft = std::uint8_t(B);
        GreenShiftRight = std::uint8_t(8 - G);
        RedShiftLeft = std::uint8_t(B + G);
        RedShiftRight = std::uint8_t(8 - R);
    } else {
        Header.biCompression = BI_RGB;
    }
    if (Address) AttachBits(Address);
}

void TFastDIBTavo::AttachBits(std::uint8_t* Address) {
    Bits = Address;
    FHeldRowBytes = RowBytes;
    FRowTable.resize(std::size_t(Height));
    FRowTable16.resize(std::size_t(Height));
    FRowTable24.resize(std::size_t(Height));
    FRowTable32.resize(std::size_t(Height));
    for (int I = 0; I < Height; ++I) {
        std::uint8_t* Row = Bits + std::size_t(I) * std::size_t(RowBytes);
        FRowTable[std::size_t(I)] = Row;
        FRowTable16[std::size_t(I)] = reinterpret_cast<PLine16>(Row);
        FRowTable24[std::size_t(I)] = reinterpret_cast<PLine24>(Row);
        FRowTable32[std::size_t(I)] = reinterpret_cast<PLine32>(Row);
    }
    RowTable = Rows8 = FRowTable.data();
    Rows16 = FRowTable16.data();
    Rows24 = FRowTable24.data();
    Rows32 = FRowTable32.data();
}

void TFastDIBTavo::LoadFromBitmap(const TBitmap& Bitmap, std::uint8_t Bpp, int Code) {
    const int Bits0 = Bpp ? Bpp : BitsPerPixel(Bitmap.PixelFormat());
    if (Bitmap.Empty()) {
        SetSize(0, 0, Bits0, Code);
        return;
    }
    SetSize(Bitmap.Width(), Bitmap.Height(), Bits0, Code);
    const bool SameBytes = (BitCount() == 24 && Bitmap.PixelFormat() == pf24bit) ||
                           (BitCount() == 32 && Bitmap.PixelFormat() == pf32bit);
    for (int Y = 0; Y < Height; ++Y) {
        if (SameBytes) {
            std::memcpy(RowTable[Y], Bitmap.ScanLine(Y), std::size_t(Width()) * std::size_t(BitCount() / 8));
            continue;
        }
        for (int X = 0; X < Width(); ++X) {
            const TColor32 C = Bitmap.Pixel(X, Y);
            WritePixel(Y, X, TFColor{BlueOf(C), GreenOf(C), RedOf(C)});
        }
    }
}

void TFastDIBTavo::Draw(TBitmap& Target, int X, int Y) const {
    // Width, Height and the bit count are open to change after the memory was laid out
    // (SetWidth, the plain fields); only the rows the table holds, as far as they reach, are read.
    if (BitCount() < 1 || !Bits) return;
    const int DrawWidth = int(std::min<std::int64_t>(Width(), std::int64_t(FHeldRowBytes) * 8 / BitCount()));
    const int DrawHeight = int(std::min<std::size_t>(std::size_t(std::max(Height, 0)), FRowTable.size()));
    if (DrawWidth <= 0 || DrawHeight <= 0) return;
    const int Left = std::max(X, 0), Top = std::max(Y, 0);
    const int Right = int(std::min<std::int64_t>(std::int64_t(X) + DrawWidth, Target.Width()));
    const int Bottom = int(std::min<std::int64_t>(std::int64_t(Y) + DrawHeight, Target.Height()));
    if (Left >= Right || Top >= Bottom) return;
    const bool SameBytes = BitCount() == 24 && Target.PixelFormat() == pf24bit;
    for (int TY = Top; TY < Bottom; ++TY) {
        if (SameBytes) {
            std::memcpy(Target.ScanLine(TY) + 3 * std::size_t(Left), FRowTable[std::size_t(TY - Y)] + 3 * std::size_t(Left - X),
                         3 * std::size_t(Right - Left));
            continue;
        }
        for (int TX = Left; TX < Right; ++TX) {
            TFColor C{0, 0, 0};
            ReadPixel(TY - Y, TX - X, C);
            Target.SetPixel(TX, TY, PackColor(C.r, C.g, C.b));
        }
    }
}
