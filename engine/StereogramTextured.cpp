// Rows of the two textured kinds, built at sample resolution: links between the samples
// that must match (nearer surfaces dissolving farther links), colouring outward from the
// central strip, and averaging each output pixel's samples.
#include <algorithm>

#include "Random.h"
#include "Stereogram.h"

void TStereogram::RenderTexturedRow(int Row) {
    LinkTexturedRow(Row);
    ColorTexturedRow(Row);
    ReduceTexturedRow(Row);
}

void TStereogram::LinkTexturedRow(int Row) {
    const int N = FSubWidth, V = FOversampling;
    for (int I = 0; I < N; ++I) FLinkLeft[std::size_t(I)] = FLinkRight[std::size_t(I)] = std::uint16_t(I);

    for (int X = 0; X < N; ++X) {
        if (X % V == 0) {  // the samples of one output pixel share its separation
            FDepthLevel = DepthLevelAt(X / V, Row);
            FPixelSep = SeparationForLevel(FDepthLevel);
        }
        if (FPixelSep < 0) continue;  // only degenerate settings give these; they link nothing
        FLeft = X - FPixelSep / 2;
        FRight = FLeft + FPixelSep;
        if (FLeft < 0 || FRight >= N) continue;

        FVisible = true;
        const int OldLeft = FLinkLeft[std::size_t(FRight)];
        if (OldLeft != FRight) {
            if (OldLeft < FLeft) {  // a wider link belongs to a farther surface: dissolve it
                FLinkRight[std::size_t(OldLeft)] = std::uint16_t(OldLeft);
                FLinkLeft[std::size_t(FRight)] = std::uint16_t(FRight);
            } else {
                FVisible = false;
            }
        }
        const int OldRight = FLinkRight[std::size_t(FLeft)];
        if (OldRight != FLeft) {
            if (OldRight > FRight) {
                FLinkLeft[std::size_t(OldRight)] = std::uint16_t(OldRight);
                FLinkRight[std::size_t(FLeft)] = std::uint16_t(FLeft);
            } else {
                FVisible = false;
            }
        }
        if (FVisible) {
            FLinkLeft[std::size_t(FRight)] = std::uint16_t(FLeft);
            FLinkRight[std::size_t(FLeft)] = std::uint16_t(FRight);
        }
    }
}

std::uint32_t TStereogram::TextureColor(int X, int TextureRow) const {
    const int Column = ((X + FPhase) % FPeriod) / FOversampling;
    return std::uint32_t(GetPixelRGB(*FMaskBuffer, Column, TextureRow % FTextureHeight));
}

void TStereogram::ColorTexturedRow(int Row) {
    const int N = FSubWidth;
    // Rightwards from the strip: each linked sample copies its left partner; the first
    // unlinked sample after a copied one repeats its neighbour; the rest read the texture,
    // moved down by FRowShift rows per repetition.
    FLastCopied = -10;
    for (int X = FStripStart; X < N; ++X) {
        const int Partner = FLinkLeft[std::size_t(X)];
        if (Partner != X && Partner >= FStripStart) {
            FRowColors[std::size_t(X)] = FRowColors[std::size_t(Partner)];
            FLastCopied = X;
        } else if (X - 1 == FLastCopied) {
            FRowColors[std::size_t(X)] = FRowColors[std::size_t(X - 1)];
        } else {
            FRowColors[std::size_t(X)] = TextureColor(X, Row + ((X - FStripStart) / FPeriod) * FRowShift);
        }
    }
    // Leftwards from the strip, each linked sample copying its right partner.
    FLastCopied = -10;
    for (int X = FStripStart - 1; X >= 0; --X) {
        const int Partner = FLinkRight[std::size_t(X)];
        if (Partner != X) {
            FRowColors[std::size_t(X)] = FRowColors[std::size_t(Partner)];
            FLastCopied = X;
        } else if (X + 1 == FLastCopied) {
            FRowColors[std::size_t(X)] = FRowColors[std::size_t(X + 1)];
        } else {
            FRowColors[std::size_t(X)] = TextureColor(X, Row + ((FStripStart - X) / FPeriod + 1) * FRowShift);
        }
    }
}

void TStereogram::ReduceTexturedRow(int Row) {
    const int V = FOversampling;
    for (int X = 0; X < FWidth; ++X) {
        FSumRed = FSumGreen = FSumBlue = 0;
        for (FSampleIndex = X * V; FSampleIndex < X * V + V; ++FSampleIndex) {
            const std::uint32_t C = FRowColors[std::size_t(FSampleIndex)];
            FSumRed += int(C & 0xFF);
            FSumGreen += int((C >> 8) & 0xFF);
            FSumBlue += int((C >> 16) & 0xFF);
        }
        SetPixelRGB(*FOutputBuffer, X, Row, std::uint8_t(FSumRed / V), std::uint8_t(FSumGreen / V), std::uint8_t(FSumBlue / V));
    }
}

void TStereogram::MakeRandomDotTexture() {
    FMaskBuffer = std::make_unique<TFastDIBTavo>();
    // At least FPatternWidth rows: the rows wrap after that many, whatever Height is.
    FMaskBuffer->SetSize(FPatternWidth, std::max(FHeight, FPatternWidth), 24, 0);
    for (int X = 0; X < FMaskBuffer->Width(); ++X) {
        for (int Y = 0; Y < FMaskBuffer->Height; ++Y) {
            if (FRandomDotColor == dctBlackWhite) {
                const std::uint8_t Level = Random::Below(100) > FDotIntensity ? 255 : 0;
                SetPixelRGB(*FMaskBuffer, X, Y, Level, Level, Level);
            } else {
                const auto Red = std::uint8_t(Random::Below(4) * 64 + 64);
                const auto Green = std::uint8_t(Random::Below(4) * 64 + 64);
                const auto Blue = std::uint8_t(Random::Below(5) * 64 + 64);
                SetPixelRGB(*FMaskBuffer, X, Y, Red, Green, Blue);
            }
        }
    }
}
