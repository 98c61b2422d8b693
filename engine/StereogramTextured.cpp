// Rows of the two textured kinds, built at sample resolution: links between the samples
// that must match (nearer surfaces dissolving farther links), colouring outward from the
// central strip, and averaging each output pixel's samples.
#include <algorithm>

#include "Random.h"
#include "Stereogram.h"

namespace {

constexpr int kNoneCopied = -10;
constexpr int kBlackWhiteDraw = 100;
constexpr int kRedGreenDraw = 4, kBlueDraw = 5, kLevelStep = 64;

std::uint32_t Packed(const TFColor& C) { return std::uint32_t(C.r) | (std::uint32_t(C.g) << 8) | (std::uint32_t(C.b) << 16); }

}  // namespace

void TStereogram::RenderTexturedRow(int Row) {
    LinkTexturedRow(Row);
    ColorTexturedRow(Row);
    ReduceTexturedRow(Row);
}

void TStereogram::LinkTexturedRow(int Row) {
    const int N = FSubWidth, V = FOversampling;
    std::uint16_t* const LinkLeft = FLinkLeft.data();
    std::uint16_t* const LinkRight = FLinkRight.data();
    ResetLinks(FLinkLeft, N);
    ResetLinks(FLinkRight, N);

    for (int Pixel = 0; Pixel < N / V; ++Pixel) {
        // The samples of one output pixel share its separation (and its one blur draw).
        FDepthLevel = DepthLevelAt(Pixel, Row);
        FPixelSep = SeparationForLevel(FDepthLevel);
        const int Separation = FPixelSep;
        if (Separation < 0) continue;  // only degenerate settings give these; they link nothing
        // Samples whose pair lies inside the row: Left = X − Separation div 2 ≥ 0 and
        // Right = Left + Separation < N.
        const int Half = Separation / 2;
        const int First = std::max(Pixel * V, Half);
        const int End = std::min(Pixel * V + V, N - Separation + Half);
        for (int Left = First - Half, Right = Left + Separation; Left < End - Half; ++Left, ++Right) {
            // Both partners are read first: dissolving at Right never touches Left's entry.
            const int OldLeft = LinkLeft[Right];
            const int OldRight = LinkRight[Left];
            bool Visible = true;
            if (OldLeft != Right) {
                if (OldLeft < Left) {  // a wider link belongs to a farther surface: dissolve it
                    LinkRight[OldLeft] = std::uint16_t(OldLeft);
                    LinkLeft[Right] = std::uint16_t(Right);
                } else {
                    Visible = false;
                }
            }
            if (OldRight != Left) {
                if (OldRight > Right) {
                    LinkLeft[OldRight] = std::uint16_t(OldRight);
                    LinkRight[Left] = std::uint16_t(Left);
                } else {
                    Visible = false;
                }
            }
            if (Visible) {
                LinkLeft[Right] = std::uint16_t(Left);
                LinkRight[Left] = std::uint16_t(Right);
            }
        }
    }
}

const TFColor* TStereogram::TextureRow(int Row) const { return FMaskBuffer->Rows24[Row % FTextureHeight]; }

void TStereogram::ColorTexturedRow(int Row) {
    const int N = FSubWidth, V = FOversampling, Period = FPeriod;
    const std::uint16_t* const LinkLeft = FLinkLeft.data();
    const std::uint16_t* const LinkRight = FLinkRight.data();
    std::uint32_t* const Colors = FRowColors.data();

    // Rightwards from the strip: each linked sample copies its left partner; the first
    // unlinked sample after a copied one repeats its neighbour; the rest read the texture,
    // whose column follows the sample's place in its period and whose row moves down by
    // FRowShift for every repetition. Column and Sample count the place without dividing.
    int Last = kNoneCopied;
    int Column = 0, Sample = 0, Repetition = 0;  // the strip's first sample is texture column 0
    const TFColor* Texture = TextureRow(Row);
    for (int X = FStripStart; X < N; ++X) {
        const int Partner = LinkLeft[X];
        if (Partner != X && Partner >= FStripStart) {
            Colors[X] = Colors[Partner];
            Last = X;
        } else if (X - 1 == Last) {
            Colors[X] = Colors[X - 1];
        } else {
            Colors[X] = Packed(Texture[Column]);
        }
        if (++Sample == V) {
            Sample = 0;
            if (++Column == FPatternWidth) {
                Column = 0;
                Texture = TextureRow(Row + ++Repetition * FRowShift);
            }
        }
    }

    // Leftwards from the strip, each linked sample copying its right partner. The leftmost
    // sample of each repetition already takes the next repetition's row.
    Last = kNoneCopied;
    const int Phase = (FStripStart - 1 + FPhase) % Period;
    Column = Phase / V;
    Sample = Phase % V;
    int Distance = 1 % Period;  // (FStripStart − X) mod Period
    Repetition = 1 / Period + 1;
    Texture = TextureRow(Row + Repetition * FRowShift);
    for (int X = FStripStart - 1; X >= 0; --X) {
        const int Partner = LinkRight[X];
        if (Partner != X) {
            Colors[X] = Colors[Partner];
            Last = X;
        } else if (X + 1 == Last) {
            Colors[X] = Colors[X + 1];
        } else {
            Colors[X] = Packed(Texture[Column]);
        }
        if (--Sample < 0) {
            Sample = V - 1;
            if (--Column < 0) Column = FPatternWidth - 1;
        }
        if (++Distance == Period) {
            Distance = 0;
            Texture = TextureRow(Row + ++Repetition * FRowShift);
        }
    }
}

namespace {

// Averages each run of V samples into one output pixel, truncating. V is a constant here,
// so the divisions become multiplications.
template <int V>
void AverageSamples(const std::uint32_t* Samples, TFColor* Out, int Width) {
    for (int X = 0; X < Width; ++X) {
        // Red and blue are summed side by side in one word, 16 bits apart; at most 8 × 255
        // each, they cannot carry into each other.
        std::uint32_t RedBlue = 0, Green = 0;
        for (int I = 0; I < V; ++I, ++Samples) {
            RedBlue += *Samples & 0xFF00FFu;
            Green += (*Samples >> 8) & 0xFFu;
        }
        Out[X] = TFColor{std::uint8_t((RedBlue >> 16) / V), std::uint8_t(Green / V), std::uint8_t((RedBlue & 0xFFFFu) / V)};
    }
}

}  // namespace

void TStereogram::ReduceTexturedRow(int Row) {
    const std::uint32_t* Samples = FRowColors.data();
    TFColor* const Out = FOutputBuffer->Rows24[Row];  // the row SetPixelRGB writes
    switch (FOversampling) {
        case 1: AverageSamples<1>(Samples, Out, FWidth); break;
        case 2: AverageSamples<2>(Samples, Out, FWidth); break;
        case 3: AverageSamples<3>(Samples, Out, FWidth); break;
        case 4: AverageSamples<4>(Samples, Out, FWidth); break;
        case 5: AverageSamples<5>(Samples, Out, FWidth); break;
        case 6: AverageSamples<6>(Samples, Out, FWidth); break;
        case 7: AverageSamples<7>(Samples, Out, FWidth); break;
        default: AverageSamples<8>(Samples, Out, FWidth); break;
    }
}

void TStereogram::MakeRandomDotTexture() {
    FMaskBuffer = std::make_unique<TFastDIBTavo>();
    // At least FPatternWidth rows: the rows wrap after that many, whatever Height is.
    FMaskBuffer->SetSize(FPatternWidth, std::max(FHeight, FPatternWidth), 24, 0);
    for (int X = 0; X < FMaskBuffer->Width(); ++X) {
        for (int Y = 0; Y < FMaskBuffer->Height; ++Y) {
            if (FRandomDotColor == dctBlackWhite) {
                const std::uint8_t Level = Random::Below(kBlackWhiteDraw) > FDotIntensity ? 255 : 0;
                SetPixelRGB(*FMaskBuffer, X, Y, Level, Level, Level);
            } else {
                // Kept to 8 bits: the top draw wraps round to 0 (blue's to 64).
                const auto Red = std::uint8_t(Random::Below(kRedGreenDraw) * kLevelStep + kLevelStep);
                const auto Green = std::uint8_t(Random::Below(kRedGreenDraw) * kLevelStep + kLevelStep);
                const auto Blue = std::uint8_t(Random::Below(kBlueDraw) * kLevelStep + kLevelStep);
                SetPixelRGB(*FMaskBuffer, X, Y, Red, Green, Blue);
            }
        }
    }
}
