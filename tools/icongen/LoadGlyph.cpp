// The load glyph, pixel by pixel, in the 16 standard colours.
#include <array>

#include "Pictures.h"

namespace {
constexpr int GlyphSize = 20;

// '.' silver (transparent), 'K' black, 'N' navy, 'B' blue, 'Y' yellow, 'W' white, 'G' grey.
constexpr std::array<const char*, GlyphSize> Rows = {
    "....................",
    "....................",
    "....................",
    ".NNNNNNNNNNNN.......",
    ".NBYYYYYYYYBN.......",
    ".NBYKKKKKKYBN..K....",
    ".NBYYYYYYYYBN..KK...",
    ".NBYKKKKKKYBN..KKK..",
    ".NBYYYYYYYYBN.KKKKK.",
    ".NBBBBBBBBBBN.KKKKKK",
    ".NBBBBBBBBBBN.KKKKKK",
    ".NBBWWWWWWBBN.KKKKK.",
    ".NBBWWNNWGBBN..KKK..",
    ".NBBWWNNWGBBN..KK...",
    ".NBBWWWWWGBBN..K....",
    ".NBBBBBBBBBBN.......",
    ".NNNNNNNNNNNN.......",
    "....................",
    "....................",
    "....................",
};

// The 16 standard colours in their usual order; silver is entry 7.
constexpr std::array<QRgb, 16> Palette = {
    0xFF000000, 0xFF800000, 0xFF008000, 0xFF808000, 0xFF000080, 0xFF800080, 0xFF008080, 0x00C0C0C0,
    0xFF808080, 0xFFFF0000, 0xFF00FF00, 0xFFFFFF00, 0xFF0000FF, 0xFFFF00FF, 0xFF00FFFF, 0xFFFFFFFF,
};

int PaletteIndex(char Code) {
    switch (Code) {
        case 'K': return 0;
        case 'N': return 4;
        case 'G': return 8;
        case 'Y': return 11;
        case 'B': return 12;
        case 'W': return 15;
        default: return 7;
    }
}
}  // namespace

QImage DrawLoadGlyph() {
    QImage Glyph(GlyphSize, GlyphSize, QImage::Format_Indexed8);
    Glyph.setColorTable(QList<QRgb>(Palette.begin(), Palette.end()));
    for (int Y = 0; Y < GlyphSize; ++Y)
        for (int X = 0; X < GlyphSize; ++X) Glyph.setPixel(X, Y, static_cast<uint>(PaletteIndex(Rows[Y][X])));
    return Glyph;
}
