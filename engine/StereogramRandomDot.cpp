// Rows of the two random-dot kinds: constraints are recorded left to right as links to
// the right, then the row is coloured right to left, each linked column copying its partner.
#include "Random.h"
#include "Stereogram.h"

namespace {

constexpr int kBlackWhiteDraw = 100;
constexpr int kChannelDraw = 4;
constexpr TFColor kBlack{0, 0, 0};

std::uint8_t RandomChannel() { return static_cast<std::uint8_t>(64 * (Random::Below(kChannelDraw) + 1)); }

}  // namespace

// One row of the mask as the coloured-dot rows see it: pixels outside the mask buffer read
// black and take no writes.
struct TStereogram::TMaskRow {
    TFColor* Pixels = nullptr;
    int Width = 0;

    bool Inside(int X) const { return X >= 0 && X < Width; }
    TFColor At(int X) const { return Inside(X) ? Pixels[X] : kBlack; }
    bool Lit(int X) const {
        const TFColor C = At(X);
        return (C.b | C.g | C.r) != 0;
    }
};

TStereogram::TMaskRow TStereogram::MaskRowOf(int Row) const {
    if (Row < 0 || Row >= FMaskBuffer->Height) return {};
    return {FMaskBuffer->Rows24[Row], FMaskBuffer->Width()};
}

void TStereogram::LinkRandomDotRow(int Row, TRowWork& Work) {
    const int W = FWidth;
    const bool WithMask = FStereoType == sgtColoredDot;
    // Without blur the mask steps, which draw, wait until the row is linked; with blur each
    // follows its column's blur draw at once, as the draws must alternate.
    const bool MaskNow = WithMask && FBlur != blurNone;
    const TMaskRow Mask = MaskNow ? MaskRowOf(Row) : TMaskRow{};
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
            MaskStep(Mask, X, Work.FLeft);
        else if (WithMask)
            Work.FMaskPartner[std::size_t(X)] = Work.FLeft;
    }
}

void TStereogram::MaskStep(const TMaskRow& Mask, int X, int Left) {
    if (!Mask.Lit(X)) return;
    // One of the two mask pixels takes the other's colour: a draw of 1 copies X onto Left,
    // 0 Left onto X. The pair is swapped by arithmetic, not by a branch, which the coin
    // would mislead half the time.
    const int Swap = (X ^ Left) & -Random::Below(2);
    const int Source = Left ^ Swap, Target = X ^ Swap;
    const TFColor Color = Mask.At(Source);
    if (Mask.Inside(Target)) Mask.Pixels[Target] = Color;
}

void TStereogram::ApplyMaskSteps(int Row, const TRowWork& Work) {
    if (FBlur != blurNone) return;  // taken while linking
    const TMaskRow Mask = MaskRowOf(Row);
    if (!Mask.Pixels) return;  // a row outside the mask reads black: no steps
    for (int X = 0; X < FWidth; ++X) {
        const int Left = Work.FMaskPartner[std::size_t(X)];
        if (Left >= 0) MaskStep(Mask, X, Left);
    }
}

void TStereogram::ColorRandomDotRow(int Row, TRowWork& Work) {
    const bool WithMask = FStereoType == sgtColoredDot;
    if (WithMask) ApplyMaskSteps(Row, Work);
    const TMaskRow Mask = WithMask ? MaskRowOf(Row) : TMaskRow{};
    const int MaskColorDraw = 16 - FDotIntensity / 10;
    const std::uint16_t* const Links = Work.FLinkLeft.data();
    TFColor* const Out = FOutputBuffer->Rows24[Row];  // the row SetPixelRGB writes
    for (int X = FWidth - 1; X >= 0; --X) {
        const int Partner = Links[X];
        if (Partner != X) {
            Out[X] = Out[Partner];
        } else if (FRandomDotColor == dctBlackWhite) {
            const std::uint8_t Level = Random::Below(kBlackWhiteDraw) <= FDotIntensity ? 0 : 255;
            Out[X] = TFColor{Level, Level, Level};
        } else {
            const std::uint8_t Red = RandomChannel();
            const std::uint8_t Green = RandomChannel();
            const std::uint8_t Blue = RandomChannel();
            Out[X] = TFColor{Blue, Green, Red};
        }

        if (Mask.Lit(X) && Random::Below(MaskColorDraw) == 1) {
            const int Source = Random::Below(2) == 1 ? X : Partner;
            Out[X] = Out[Partner] = Mask.At(Source);
        }
    }
}
