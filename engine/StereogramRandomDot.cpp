// Rows of the two random-dot kinds: constraints are recorded left to right as links to
// the right, then the row is coloured right to left, each linked column copying its partner.
#include "Random.h"
#include "Stereogram.h"

namespace {

constexpr int kBlackWhiteDraw = 100;
constexpr int kChannelDraw = 4;

std::uint8_t RandomChannel() { return static_cast<std::uint8_t>(64 * (Random::Below(kChannelDraw) + 1)); }

}  // namespace

bool TStereogram::MaskPixelInside(int X, int Y) const {
    return X >= 0 && Y >= 0 && X < FMaskBuffer->Width() && Y < FMaskBuffer->Height;
}

void TStereogram::LinkRandomDotRow(int Row, TRowWork& Work) {
    const int W = FWidth;
    const bool WithMask = FStereoType == sgtColoredDot;
    // Without blur the mask steps, which draw, wait until the row is linked; with blur each
    // follows its column's blur draw at once, as the draws must alternate.
    const bool MaskNow = WithMask && FBlur != blurNone;
    ResetLinks(Work.FLinkLeft.data(), W + 1);
    // Oversampling is held at 1 for the random-dot kinds: column X reads depth column X.
    ReadDepthLevels(Row, Work);
    const std::uint8_t* const Levels = Work.FDepthLevels.data();

    for (int X = 0; X < W; ++X) {
        if (WithMask) Work.FMaskPartner[std::size_t(X)] = -1;
        Work.FPixelSep = SeparationForLevel(Levels[X], Work);
        if (Work.FPixelSep < 0) continue;  // only degenerate settings give these; they bind nothing
        Work.FLeft = X - Work.FPixelSep / 2;
        Work.FRight = Work.FLeft + Work.FPixelSep;
        if (Work.FLeft < 0 || Work.FRight >= W) continue;

        RecordRandomDotLink(Work);

        if (MaskNow)
            MaskStep(X, Work.FLeft, Row);
        else if (WithMask)
            Work.FMaskPartner[std::size_t(X)] = Work.FLeft;
    }
}

void TStereogram::MaskStep(int X, int Left, int Row) {
    if (!MaskPixelInside(X, Row) || GetPixelRGB(*FMaskBuffer, X, Row) == 0) return;
    // One of the two mask pixels takes the other's colour; outside the mask reads black.
    TFColor Color{0, 0, 0};
    if (Random::Below(2) == 1) {
        FMaskBuffer->ReadPixel(Row, X, Color);
        if (MaskPixelInside(Left, Row)) FMaskBuffer->WritePixel(Row, Left, Color);
    } else {
        if (MaskPixelInside(Left, Row)) FMaskBuffer->ReadPixel(Row, Left, Color);
        FMaskBuffer->WritePixel(Row, X, Color);
    }
}

void TStereogram::ApplyMaskSteps(int Row, TRowWork& Work) {
    if (FBlur != blurNone) return;  // taken while linking
    for (int X = 0; X < FWidth; ++X) {
        const int Left = Work.FMaskPartner[std::size_t(X)];
        if (Left >= 0) MaskStep(X, Left, Row);
    }
}

void TStereogram::ColorRandomDotRow(int Row, TRowWork& Work) {
    const bool WithMask = FStereoType == sgtColoredDot;
    if (WithMask) ApplyMaskSteps(Row, Work);
    const std::uint16_t* const Links = Work.FLinkLeft.data();
    TFastDIBTavo& Out = *FOutputBuffer;
    for (int X = FWidth - 1; X >= 0; --X) {
        const int Partner = Links[X];
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
