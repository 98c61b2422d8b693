// Rows of the two textured kinds, built at sample resolution: links between the samples
// that must match (nearer surfaces dissolving farther links), colouring outward from the
// central strip, and averaging each output pixel's samples.
#include <algorithm>
#include <type_traits>

#include "Random.h"
#include "Stereogram.h"

namespace {

constexpr int kNoneCopied = -10;
constexpr int kBlackWhiteDraw = 100;
constexpr int kRedGreenDraw = 4, kBlueDraw = 5, kLevelStep = 64;

std::uint32_t Packed(const TFColor& C) { return std::uint32_t(C.r) | (std::uint32_t(C.g) << 8) | (std::uint32_t(C.b) << 16); }

// Calls Body with the oversampling as a compile-time constant, so that the sample loops
// divide by constants and unroll over the samples of a pixel.
template <class F>
void WithOversampling(int V, F&& Body) {
    switch (V) {
        case 1: Body(std::integral_constant<int, 1>{}); break;
        case 2: Body(std::integral_constant<int, 2>{}); break;
        case 3: Body(std::integral_constant<int, 3>{}); break;
        case 4: Body(std::integral_constant<int, 4>{}); break;
        case 5: Body(std::integral_constant<int, 5>{}); break;
        case 6: Body(std::integral_constant<int, 6>{}); break;
        case 7: Body(std::integral_constant<int, 7>{}); break;
        default: Body(std::integral_constant<int, 8>{}); break;
    }
}

// Calls Body with the type of the link entries a row of Samples samples needs: 16 bits
// while every sample number fits them, 32 beyond.
template <class F>
void WithLinkEntries(int Samples, F&& Body) {
    if (Samples <= TRowWork::MaxNarrowEntries)
        Body(std::uint16_t{});
    else
        Body(std::uint32_t{});
}

}  // namespace

void TStereogram::RenderTexturedRow(int Row, TRowWork& Work) {
    LinkTexturedRow(Row, Work);
    ColorTexturedRow(Row, Work);
    ReduceTexturedRow(Row, Work);
}

void TStereogram::LinkTexturedRow(int Row, TRowWork& Work) {
    WithOversampling(FOversampling, [&](auto V) {
        WithLinkEntries(FSubWidth, [&](auto Link) { LinkSamples<V, decltype(Link)>(Row, Work); });
    });
}

void TStereogram::ColorTexturedRow(int Row, TRowWork& Work) {
    WithOversampling(FOversampling, [&](auto V) {
        WithLinkEntries(FSubWidth, [&](auto Link) { ColorSamples<V, decltype(Link)>(Row, Work); });
    });
}

void TStereogram::ReduceTexturedRow(int Row, TRowWork& Work) {
    WithOversampling(FOversampling, [&](auto V) { AverageSamples<V>(Row, Work); });
}

template <int V, class TLink>
void TStereogram::LinkSamples(int Row, TRowWork& Work) {
    const int N = FSubWidth;
    TLink* const LinkLeft = Work.LinkLeft<TLink>();
    TLink* const LinkRight = Work.LinkRight<TLink>();
    ResetLinks(LinkLeft, N);
    ResetLinks(LinkRight, N);
    ReadDepthLevels(Row, Work);
    const std::uint8_t* const Levels = Work.FDepthLevels.data();

    for (int Pixel = 0; Pixel < N / V; ++Pixel) {
        // The samples of one output pixel share its separation (and its one blur draw).
        Work.FPixelSep = SeparationForLevel(Levels[Pixel], Work);
        const int Separation = Work.FPixelSep;
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
            if (OldLeft == Right && OldRight == Left) {  // both ends free: the common case
                LinkLeft[Right] = TLink(Left);
                LinkRight[Left] = TLink(Right);
                continue;
            }
            bool Visible = true;
            if (OldLeft != Right) {
                if (OldLeft < Left) {  // a wider link belongs to a farther surface: dissolve it
                    LinkRight[OldLeft] = TLink(OldLeft);
                    LinkLeft[Right] = TLink(Right);
                } else {
                    Visible = false;
                }
            }
            if (OldRight != Left) {
                if (OldRight > Right) {
                    LinkLeft[OldRight] = TLink(OldRight);
                    LinkRight[Left] = TLink(Left);
                } else {
                    Visible = false;
                }
            }
            if (Visible) {
                LinkLeft[Right] = TLink(Left);
                LinkRight[Left] = TLink(Right);
            }
        }
    }
}

const TFColor* TStereogram::TextureRow(int Row) const { return FMaskBuffer->Rows24[Row % FTextureHeight]; }

template <int V, class TLink>
void TStereogram::ColorSamples(int Row, TRowWork& Work) {
    // Locals: the colour stores could otherwise alias the fields and force reloads.
    const int N = FSubWidth, Period = FPeriod, StripStart = FStripStart, PatternWidth = FPatternWidth;
    const TLink* const LinkLeft = Work.LinkLeft<TLink>();
    const TLink* const LinkRight = Work.LinkRight<TLink>();
    std::uint32_t* const Colors = Work.FRowColors.data();

    // Rightwards from the strip, one repetition of the pattern at a time: each linked
    // sample copies its left partner; the first unlinked sample after a copied one repeats
    // its neighbour; the rest read the texture at their place in the repetition, FRowShift
    // rows further down for every repetition.
    int Last = kNoneCopied;
    for (int Start = StripStart, Repetition = 0; Start < N; Start += Period, ++Repetition) {
        const TFColor* const Texture = TextureRow(Row + Repetition * FRowShift);
        for (int X = Start; X < std::min(Start + Period, N); ++X) {
            const int Partner = LinkLeft[X];
            if (Partner != X && Partner >= StripStart) {
                Colors[X] = Colors[Partner];
                Last = X;
            } else if (X - 1 == Last) {
                Colors[X] = Colors[X - 1];
            } else {
                Colors[X] = Packed(Texture[(X - Start) / V]);
            }
        }
    }

    // Leftwards from the strip, each linked sample copying its right partner. Repetition m
    // (from 1) takes the samples FStripStart − m × Period … FStripStart − (m − 1) × Period − 1
    // shifted by m rows, except that its leftmost sample, texture column 0, already takes
    // the next repetition's shift: so the blocks run from Base + 1 up to Base + Period,
    // where Base + Period is that column-0 sample.
    Last = kNoneCopied;
    for (int Repetition = 1, Top = StripStart - 1; Top >= 0; ++Repetition) {
        const int Base = StripStart - Repetition * Period;
        const TFColor* const Texture = TextureRow(Row + Repetition * FRowShift);
        for (int X = Top; X > std::max(Base, -1); --X) {
            const int Partner = LinkRight[X];
            if (Partner != X) {
                Colors[X] = Colors[Partner];
                Last = X;
            } else if (X + 1 == Last) {
                Colors[X] = Colors[X + 1];
            } else {
                const int Column = (X - Base) / V;
                Colors[X] = Packed(Texture[Column == PatternWidth ? 0 : Column]);
            }
        }
        Top = Base;
    }
}

template <int V>
void TStereogram::AverageSamples(int Row, TRowWork& Work) {
    const std::uint32_t* Samples = Work.FRowColors.data();
    TFColor* const Out = FOutputBuffer->Rows24[Row];  // the row SetPixelRGB writes
    for (int X = 0; X < FWidth; ++X) {
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

void TStereogram::MakeRandomDotTexture() {
    FMaskBuffer = std::make_unique<TFastDIBTavo>();
    // At least FPatternWidth rows: the rows wrap after that many, whatever Height is.
    FMaskBuffer->SetSize(FPatternWidth, std::max(FHeight, FPatternWidth), 24, 0, MaxOutputBytes());
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
