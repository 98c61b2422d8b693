// Rows of the two random-dot kinds: constraints are recorded left to right as links to
// the right, then the row is coloured right to left, each linked column copying its partner.
#include "Random.h"
#include "Stereogram.h"

namespace {

constexpr int kBlackWhiteDraw = 100;
constexpr int kChannelDraw = 4;

std::uint8_t RandomChannel() { return static_cast<std::uint8_t>(64 * (Random::Below(kChannelDraw) + 1)); }

}  // namespace

void TStereogram::RenderFastRandomDotRow(int Row) {
    RecordRandomDotLinks(Row, false);
    ColorRandomDotRow(Row, false);
}

void TStereogram::RenderColoredDotRow(int Row) {
    RecordRandomDotLinks(Row, true);
    ColorRandomDotRow(Row, true);
}

bool TStereogram::MaskPixelInside(int X, int Y) const {
    return X >= 0 && Y >= 0 && X < FMaskBuffer->Width() && Y < FMaskBuffer->Height;
}

void TStereogram::RecordRandomDotLink() {
    // Pass the constraint rightwards along existing links, as the pair of the two right-hand
    // columns, until it lands on a free column or meets itself; a link is never changed.
    int K = FLinkLeft[std::size_t(FLeft)];
    while (K != FLeft && K != FRight) {
        if (K < FRight) {
            FLeft = K;
        } else {
            FLeft = FRight;
            FRight = K;
        }
        K = FLinkLeft[std::size_t(FLeft)];
    }
    FLinkLeft[std::size_t(FLeft)] = std::uint16_t(FRight);
}

void TStereogram::RecordRandomDotLinks(int Row, bool WithMask) {
    const int W = FWidth;
    ResetLinks(FLinkLeft, W + 1);

    for (int X = 0; X < W; ++X) {
        // Oversampling is held at 1 for the random-dot kinds; the division is kept for its
        // meaning but skipped when it cannot change anything.
        FDepthLevel = DepthLevelAt(FOversampling == 1 ? X : X / FOversampling, Row);
        FPixelSep = SeparationForLevel(FDepthLevel);
        if (FPixelSep < 0) continue;  // only degenerate settings give these; they bind nothing
        FLeft = X - FPixelSep / 2;
        FRight = FLeft + FPixelSep;
        if (FLeft < 0 || FRight >= W) continue;

        RecordRandomDotLink();

        if (WithMask && MaskPixelInside(X, Row) && GetPixelRGB(*FMaskBuffer, X, Row) != 0) {
            // One of the two mask pixels takes the other's colour; outside the mask reads black.
            TFColor Color{0, 0, 0};
            if (Random::Below(2) == 1) {
                FMaskBuffer->ReadPixel(Row, X, Color);
                if (MaskPixelInside(FLeft, Row)) FMaskBuffer->WritePixel(Row, FLeft, Color);
            } else {
                if (MaskPixelInside(FLeft, Row)) FMaskBuffer->ReadPixel(Row, FLeft, Color);
                FMaskBuffer->WritePixel(Row, X, Color);
            }
        }
    }
}

void TStereogram::ColorRandomDotRow(int Row, bool WithMask) {
    TFastDIBTavo& Out = *FOutputBuffer;
    for (int X = FWidth - 1; X >= 0; --X) {
        const int Partner = FLinkLeft[std::size_t(X)];
        if (Partner == X) {
            if (FRandomDotColor == dctBlackWhite) {
                const std::uint8_t Level = Random::Below(kBlackWhiteDraw) <= FDotIntensity ? 0 : 255;
                SetPixelRGB(Out, X, Row, Level, Level, Level);
            } else {
                const std::uint8_t Red = RandomChannel();
                const std::uint8_t Green = RandomChannel();
                const std::uint8_t Blue = RandomChannel();
                SetPixelRGB(Out, X, Row, Red, Green, Blue);
            }
        } else {
            TFColor Color{0, 0, 0};
            Out.ReadPixel(Row, Partner, Color);
            Out.WritePixel(Row, X, Color);
        }

        if (WithMask && MaskPixelInside(X, Row) && GetPixelRGB(*FMaskBuffer, X, Row) != 0 &&
            Random::Below(16 - FDotIntensity / 10) == 1) {
            const int Source = Random::Below(2) == 1 ? X : Partner;
            TFColor Color{0, 0, 0};
            if (MaskPixelInside(Source, Row)) FMaskBuffer->ReadPixel(Row, Source, Color);
            Out.WritePixel(Row, X, Color);
            Out.WritePixel(Row, Partner, Color);
        }
    }
}
