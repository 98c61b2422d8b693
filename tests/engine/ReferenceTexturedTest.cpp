// Compares whole textured runs with a plain, unoptimised rendering of the same rows, written
// step by step from the algorithm's description, for many settings.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "EngineTestSupport.h"
#include "Random.h"

namespace {

struct Geometry {
    int Width, Height, V, N, Period, StripStart, Phase, RowShift, TextureHeight, DepthLeft, DepthTop, EyeSepSub, BlurDivisor;
    double Far, Near, Observer;
    TBlurType Blur;
    std::array<std::int32_t, 256> Table;
};

Geometry GeometryOf(TStereogramProbe& S) {
    S.UpdateGeometry();
    S.BuildDepthTable();
    return {S.Width(),     S.Height(),         S.Oversampling(), S.FSubWidth,  S.FPeriod,      S.FStripStart,
            S.FPhase,      S.FRowShift,        S.FTextureHeight, S.FDepthLeft, S.FDepthTop,    S.FEyeSepSub,
            S.FBlurDivisor, S.FFarPlane,       S.FNearPlane,     S.FObserver,  S.Blur(),       S.FDepthTable};
}

int Level(const TBitmap& Depth, const Geometry& G, int C, int Y) {
    const int X = C - G.DepthLeft, R = Y - G.DepthTop;
    if (X < 0 || R < 0 || X >= Depth.Width() || R >= Depth.Height()) return 0;
    const TColor32 P = Depth.Pixel(X, R);
    return int((std::int64_t(BlueOf(P)) * 65536 + GreenOf(P) * 256 + RedOf(P)) * 255 / 16777215);
}

int Separation(const Geometry& G, int L) {
    if (G.Blur == blurNone) return G.Table[std::size_t(L)];
    using LD = long double;
    const LD Z = std::trunc(LD{G.Far} - (LD{G.Far} - G.Near) * L / 256);
    const int J = Random::Below(10) - 5;
    return int(std::nearbyint(static_cast<LD>(J) / G.BlurDivisor + static_cast<LD>(std::int64_t(G.EyeSepSub) * std::int64_t(Z)) / (Z + G.Observer)));
}

std::vector<TColor32> ReferenceRow(const Geometry& G, const TBitmap& Depth, const TBitmap& Texture, int Y) {
    const int N = G.N, V = G.V;
    std::vector<int> LL(static_cast<std::size_t>(N)), LR(static_cast<std::size_t>(N));
    for (int I = 0; I < N; ++I) LL[std::size_t(I)] = LR[std::size_t(I)] = I;
    int S = 0;
    for (int X = 0; X < N; ++X) {
        if (X % V == 0) S = Separation(G, Level(Depth, G, X / V, Y));
        if (S < 0) continue;
        const int Left = X - S / 2, Right = Left + S;
        if (Left < 0 || Right >= N) continue;
        bool Visible = true;
        if (LL[std::size_t(Right)] != Right) {
            const int L2 = LL[std::size_t(Right)];
            if (L2 < Left) {
                LR[std::size_t(L2)] = L2;
                LL[std::size_t(Right)] = Right;
            } else {
                Visible = false;
            }
        }
        if (LR[std::size_t(Left)] != Left) {
            const int R2 = LR[std::size_t(Left)];
            if (R2 > Right) {
                LL[std::size_t(R2)] = R2;
                LR[std::size_t(Left)] = Left;
            } else {
                Visible = false;
            }
        }
        if (Visible) {
            LL[std::size_t(Right)] = Left;
            LR[std::size_t(Left)] = Right;
        }
    }
    auto Tex = [&](int X, int Row) { return Texture.Pixel(((X + G.Phase) % G.Period) / V, Row % G.TextureHeight); };
    std::vector<TColor32> C(static_cast<std::size_t>(N));
    int Last = -10;
    for (int X = G.StripStart; X < N; ++X) {
        if (LL[std::size_t(X)] != X && LL[std::size_t(X)] >= G.StripStart) {
            C[std::size_t(X)] = C[std::size_t(LL[std::size_t(X)])];
            Last = X;
        } else if (X - 1 == Last) {
            C[std::size_t(X)] = C[std::size_t(X - 1)];
        } else {
            C[std::size_t(X)] = Tex(X, Y + ((X - G.StripStart) / G.Period) * G.RowShift);
        }
    }
    Last = -10;
    for (int X = G.StripStart - 1; X >= 0; --X) {
        if (LR[std::size_t(X)] != X) {
            C[std::size_t(X)] = C[std::size_t(LR[std::size_t(X)])];
            Last = X;
        } else if (X + 1 == Last) {
            C[std::size_t(X)] = C[std::size_t(X + 1)];
        } else {
            C[std::size_t(X)] = Tex(X, Y + ((G.StripStart - X) / G.Period + 1) * G.RowShift);
        }
    }
    std::vector<TColor32> Out;
    for (int X = 0; X < G.Width; ++X) {
        int R = 0, Gr = 0, B = 0;
        for (int I = X * V; I < X * V + V; ++I) {
            R += RedOf(C[std::size_t(I)]);
            Gr += GreenOf(C[std::size_t(I)]);
            B += BlueOf(C[std::size_t(I)]);
        }
        Out.push_back(PackColor(std::uint8_t(R / V), std::uint8_t(Gr / V), std::uint8_t(B / V)));
    }
    return Out;
}

TBitmap ReferenceRandomTexture(const Geometry& G, int PatternWidth, TRandomDotColorType Colors, int DotIntensity) {
    TBitmap T(PatternWidth, std::max(G.Height, PatternWidth));
    for (int X = 0; X < T.Width(); ++X)
        for (int Y = 0; Y < T.Height(); ++Y) {
            if (Colors == dctBlackWhite) {
                T.SetPixel(X, Y, Random::Below(100) > DotIntensity ? clWhite : clBlack);
            } else {
                const int R = Random::Below(4), Gr = Random::Below(4), B = Random::Below(5);
                T.SetPixel(X, Y, PackColor(std::uint8_t(R * 64 + 64), std::uint8_t(Gr * 64 + 64), std::uint8_t(B * 64 + 64)));
            }
        }
    return T;
}

struct Case {
    TStereoGramType Type;
    int Oversampling, Width, Height, DepthWidth, DepthHeight, MaskWidth, MaskHeight, DPI;
    TBlurType Blur;
    TRandomDotColorType Colors;
    double Min, Max;
    TSizeLimit Limit = slClassic;
    int Threads = 1;
};

class ReferenceTextured : public ::testing::TestWithParam<Case> {};

TEST_P(ReferenceTextured, RunMatchesThePlainRenderingRowByRow) {
    const Case& K = GetParam();
    TStereogramProbe S;
    S.SetSizeLimit(K.Limit);
    S.SetThreads(K.Threads);
    S.SetDepthMap(GreyPicture(K.DepthWidth, K.DepthHeight, [](int X, int Y) {
        const double R = std::hypot(X - 150.0, Y - 120.0);
        return R < 100 ? int(250 - R * 2) : (X * 7 + Y * 3) % 41;
    }));
    S.SetMaskMap(DistinctTexture(K.MaskWidth, K.MaskHeight));
    S.SetStereoType(K.Type);
    S.SetWidth(K.Width);
    S.SetHeight(K.Height);
    S.SetOversampling(K.Oversampling);
    S.SetBlur(K.Blur);
    S.SetRandomDotColor(K.Colors);
    S.SetMin3Ddepth(K.Min);
    S.SetMax3Ddepth(K.Max);
    S.SetDPI(K.DPI);
    const TPicture Out = Render(S, 4242);
    ASSERT_EQ(Out.Width(), K.Width);

    const Geometry G = GeometryOf(S);
    Random::Seed(4242);
    const TBitmap Texture = K.Type == sgtRandomDotTextured ? ReferenceRandomTexture(G, S.FPatternWidth, K.Colors, S.DotIntensity())
                                                           : S.MaskMap().Bitmap();
    for (int Y = 0; Y < G.Height; ++Y) ASSERT_EQ(RowOf(Out, Y), ReferenceRow(G, S.DepthMap().Bitmap(), Texture, Y)) << "row " << Y;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, ReferenceTextured,
    ::testing::Values(Case{sgtTextured, 1, 800, 300, 300, 240, 120, 90, 72, blurNone, dctBlackWhite, 7, 14},
                      Case{sgtTextured, 4, 800, 200, 300, 240, 85, 118, 72, blurNone, dctBlackWhite, 8, 14},
                      Case{sgtTextured, 8, 1024, 120, 1100, 240, 200, 30, 72, blurHeavy, dctBlackWhite, 8, 14},
                      Case{sgtTextured, 3, 640, 150, 300, 240, 7, 5, 72, blurLight, dctBlackWhite, 2, 20},
                      Case{sgtTextured, 2, 500, 100, 300, 240, 256, 256, 40, blurMedium, dctBlackWhite, 10, 12},
                      Case{sgtTextured, 5, 700, 90, 300, 240, 64, 300, 100, blurNone, dctBlackWhite, 1, 30},
                      Case{sgtRandomDotTextured, 4, 800, 200, 300, 240, 200, 30, 72, blurNone, dctRGB, 8, 14},
                      Case{sgtRandomDotTextured, 1, 300, 40, 300, 240, 60, 30, 72, blurHeavy, dctBlackWhite, 8, 14},
                      Case{sgtRandomDotTextured, 7, 900, 120, 300, 240, 1, 1, 72, blurMedium, dctRGB, -3, 14},
                      // Large rows: 3000 pixels of 4 samples, and 9000 of 8, past 16-bit sample numbers.
                      Case{sgtTextured, 4, 3000, 40, 3000, 240, 400, 90, 300, blurNone, dctBlackWhite, 8, 14, slLarge, 2},
                      Case{sgtTextured, 8, 9000, 100, 9000, 100, 600, 60, 100, blurHeavy, dctBlackWhite, 8, 14, slLarge},
                      Case{sgtRandomDotTextured, 8, 9000, 100, 9000, 100, 1, 1, 100, blurNone, dctRGB, 8, 14, slLarge, 2}));

}  // namespace
