#include "RevealScenes.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "DepthMapTools.h"
#include "Picture.h"
#include "SampleLibrary.h"
#include "SampleLoaders.h"
#include "Stereogram.h"

namespace {

TPicture PictureOf(TBitmap Bitmap) {
    TPicture Picture;
    Picture.SetGraphic(std::make_unique<TBitmap>(std::move(Bitmap)));
    return Picture;
}

TBitmap Sample(TPictureRole Role, int Number) {
    TPicture Loaded;
    LoadSampleDepthMap(Loaded, SampleResourceName(Role, Number));
    return Loaded.Bitmap();
}

// Calls Body(Revealed level, true level) for every pixel within the margins.
template <class F>
void ForInnerPixels(const TBitmap& A, const TBitmap& B, int Margin, F&& Body) {
    for (int Y = 0; Y < A.Height(); ++Y)
        for (int X = Margin + 1; X < A.Width() - Margin - 1; ++X) Body(A.ScanLine(Y)[3 * X], B.ScanLine(Y)[3 * X]);
}

}  // namespace

std::string_view RevealKindName(TRevealKind Kind) {
    switch (Kind) {
        case TRevealKind::Textured4: return "textured x4";
        case TRevealKind::Textured1: return "textured x1";
        case TRevealKind::RandomDotTextured: return "random-dot-textured";
        case TRevealKind::FastRandomDot: return "fast-random-dot";
        case TRevealKind::ColoredDot: return "colored-dot";
    }
    return "";
}

bool IsRandomDotKind(TRevealKind Kind) { return Kind == TRevealKind::RandomDotTextured || Kind == TRevealKind::FastRandomDot; }

TRevealScene MakeRevealScene(int Sample, TRevealKind Kind, int Width, int Height, bool CrossEyed, std::uint32_t Seed, int DPI) {
    TStereogram S(nullptr);
    if (Width > 1024 || Height > 800) S.SetSizeLimit(slLarge);
    const TPicture Depth = PictureOf(FitDepth(::Sample(TPictureRole::DepthMap, Sample), Width, Height));
    S.SetDepthMap(Depth);
    S.SetWidth(Width);
    S.SetHeight(Height);
    S.SetDPI(DPI);
    const bool WithTexture = Kind == TRevealKind::Textured4 || Kind == TRevealKind::Textured1 || Kind == TRevealKind::ColoredDot;
    if (WithTexture) {
        // Coloured dots take their colours from a mask of the output's size.
        const TBitmap Texture = ::Sample(TPictureRole::Texture, 1);
        S.SetMaskMap(PictureOf(Kind == TRevealKind::ColoredDot ? FitDepth(Texture, Width, Height) : Texture));
    }
    switch (Kind) {
        case TRevealKind::Textured4:
        case TRevealKind::Textured1: S.SetStereoType(sgtTextured); break;
        case TRevealKind::RandomDotTextured: S.SetStereoType(sgtRandomDotTextured); break;
        case TRevealKind::FastRandomDot: S.SetStereoType(sgtFastRandomDot); break;
        case TRevealKind::ColoredDot: S.SetStereoType(sgtColoredDot); break;
    }
    S.SetOversampling(Kind == TRevealKind::Textured4 ? 4 : 1);
    S.SetCrossEyed(CrossEyed);
    S.SetFixedSeed(Seed);
    S.SetObservDistance(S.ObservDistance());  // the geometry of the settings now
    S.Generate();
    TRevealScene Scene;
    Scene.Stereogram = S.GetPicture().Bitmap();
    Scene.TrueDepth = DepthLevelsInOutput(Depth.Bitmap(), S.Width(), S.Height());
    Scene.Geometry = {S.SeparationTable(), S.Oversampling(), CrossEyed};
    Scene.FarRepeat = Scene.Geometry.Separations[0] / S.Oversampling();  // the far plane's, the widest also for crossed eyes
    return Scene;
}

TBitmap TextbookStereogram(const TBitmap& Depth, std::uint32_t Seed) {
    constexpr double Eyes = 180, Field = 1.0 / 3;  // 2.5 inches at 72 dpi
    const int W = Depth.Width(), H = Depth.Height();
    const auto Separation = [&](double Z) { return int(std::lround((1 - Field * Z) * Eyes / (2 - Field * Z))); };
    std::mt19937 Random(Seed);
    TBitmap Out(W, H, pf24bit);
    std::vector<double> Z(static_cast<std::size_t>(W));
    std::vector<int> Same(static_cast<std::size_t>(W));
    for (int Y = 0; Y < H; ++Y) {
        for (int X = 0; X < W; ++X) Z[std::size_t(X)] = Depth.ScanLine(Y)[3 * X + 2] / 255.0;
        for (int X = 0; X < W; ++X) Same[std::size_t(X)] = X;
        for (int X = 0; X < W; ++X) {
            const double Here = Z[std::size_t(X)];
            const int S = Separation(Here);
            int Left = X - S / 2, Right = Left + S;
            if (Left < 0 || Right >= W) continue;
            // Hidden-surface removal: a nearer point on either line of sight hides this one.
            bool Visible = true;
            double Sight = Here;
            for (int T = 1; Visible && Sight < 1; ++T) {
                Sight = Here + 2 * (2 - Field * Here) * T / (Field * Eyes);
                Visible = (X - T < 0 || Z[std::size_t(X - T)] < Sight) && (X + T >= W || Z[std::size_t(X + T)] < Sight);
            }
            if (!Visible) continue;
            for (int L = Same[std::size_t(Left)]; L != Left && L != Right; L = Same[std::size_t(Left)]) {
                if (L < Right) {
                    Left = L;
                } else {
                    Same[std::size_t(Left)] = Right;
                    Left = Right;
                    Right = L;
                }
            }
            Same[std::size_t(Left)] = Right;
        }
        std::uint8_t* Row = Out.ScanLine(Y);
        for (int X = W - 1; X >= 0; --X) {
            const int Partner = Same[std::size_t(X)];
            const std::uint8_t Level = Partner == X ? std::uint8_t(Random() & 1 ? 255 : 0) : Row[3 * Partner];
            Row[3 * X] = Row[3 * X + 1] = Row[3 * X + 2] = Level;
        }
    }
    return Out;
}

double ShareWithinLevels(const TBitmap& Revealed, const TBitmap& Truth, int Margin, int Tolerance) {
    long Inside = 0, All = 0;
    ForInnerPixels(Revealed, Truth, Margin, [&](int A, int B) {
        ++All;
        Inside += std::abs(A - B) <= Tolerance;
    });
    return All > 0 ? double(Inside) / double(All) : 0;
}

double DepthCorrelation(const TBitmap& Revealed, const TBitmap& Truth, int Margin) {
    double N = 0, SA = 0, SB = 0, SAA = 0, SBB = 0, SAB = 0;
    ForInnerPixels(Revealed, Truth, Margin, [&](double A, double B) {
        N += 1, SA += A, SB += B, SAA += A * A, SBB += B * B, SAB += A * B;
    });
    const double Var = (N * SAA - SA * SA) * (N * SBB - SB * SB);
    return Var > 0 ? (N * SAB - SA * SB) / std::sqrt(Var) : 0;
}
