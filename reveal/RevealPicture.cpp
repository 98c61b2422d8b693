#include "RevealPicture.h"

#include <cstring>

TRevealPicture RevealPictureOf(const TBitmap& Bitmap) {
    TBitmap Converted;
    const TBitmap* Source = &Bitmap;
    if (Bitmap.PixelFormat() != pf24bit) {
        Converted = Bitmap;
        Converted.SetPixelFormat(pf24bit);
        Source = &Converted;
    }
    TRevealPicture Picture{Source->Width(), Source->Height(), {}};
    Picture.Pixels.resize(std::size_t(Picture.Width) * std::size_t(Picture.Height) * 3);
    for (int Y = 0; Y < Picture.Height; ++Y)
        std::memcpy(Picture.Pixels.data() + std::size_t(Y) * std::size_t(Picture.Width) * 3, Source->ScanLine(Y),
                    std::size_t(Picture.Width) * 3);
    return Picture;
}

TRevealPicture Downscaled(const TRevealPicture& Picture, int Factor) {
    if (Factor <= 1) return Picture;
    TRevealPicture Small{(Picture.Width + Factor - 1) / Factor, (Picture.Height + Factor - 1) / Factor, {}};
    Small.Pixels.resize(std::size_t(Small.Width) * std::size_t(Small.Height) * 3);
    std::vector<std::uint32_t> Sums(std::size_t(Small.Width) * 3);
    std::vector<std::uint32_t> Counts(std::size_t(Small.Width));
    for (int SY = 0; SY < Small.Height; ++SY) {
        std::fill(Sums.begin(), Sums.end(), 0);
        std::fill(Counts.begin(), Counts.end(), 0);
        for (int Y = SY * Factor; Y < std::min(Picture.Height, SY * Factor + Factor); ++Y) {
            const std::uint8_t* Row = Picture.Row(Y);
            for (int X = 0; X < Picture.Width; ++X) {
                const std::size_t S = std::size_t(X / Factor);
                for (int C = 0; C < 3; ++C) Sums[S * 3 + std::size_t(C)] += Row[std::size_t(X) * 3 + std::size_t(C)];
                ++Counts[S];
            }
        }
        std::uint8_t* Out = Small.Pixels.data() + std::size_t(SY) * std::size_t(Small.Width) * 3;
        for (std::size_t I = 0; I < Sums.size(); ++I) Out[I] = std::uint8_t((Sums[I] + Counts[I / 3] / 2) / Counts[I / 3]);
    }
    return Small;
}
