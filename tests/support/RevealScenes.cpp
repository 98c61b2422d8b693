#include "RevealScenes.h"

#include <cmath>
#include <cstdlib>
#include <memory>

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

TRevealScene MakeRevealScene(int Sample, TRevealKind Kind, int Width, int Height, bool CrossEyed, std::uint32_t Seed) {
    TStereogram S(nullptr);
    const TPicture Depth = PictureOf(FitDepth(::Sample(TPictureRole::DepthMap, Sample), Width, Height));
    S.SetDepthMap(Depth);
    S.SetWidth(Width);
    S.SetHeight(Height);
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
    Scene.FarRepeat = Scene.Geometry.Separations[CrossEyed ? 255 : 0] / S.Oversampling();
    return Scene;
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
