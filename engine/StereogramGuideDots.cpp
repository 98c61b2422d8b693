// Guide dots: two black dots in white rims above the middle of the picture, one background
// separation apart. A viewer whose eyes fuse them into one (seeing three dots in a row) has
// the eyes set right for the picture.
#include <algorithm>

#include "ExtendedMath.h"
#include "Stereogram.h"

namespace {

constexpr int kMinTop = 12, kTopDivisor = 25;
constexpr int kMinRadius = 3, kRadiusDivisor = 200, kRimWidth = 2;

// Fills the pixels within Radius of (CentreX, CentreY) that lie inside Buffer.
void FillDisc(TFastDIBTavo& Buffer, int CentreX, int CentreY, int Radius, const TFColor& Color) {
    const int Top = std::max(CentreY - Radius, 0), Bottom = std::min(CentreY + Radius, Buffer.Height - 1);
    for (int Y = Top; Y <= Bottom; ++Y) {
        const int DY = Y - CentreY;
        const int Left = std::max(CentreX - Radius, 0), Right = std::min(CentreX + Radius, Buffer.Width() - 1);
        for (int X = Left; X <= Right; ++X) {
            const int DX = X - CentreX;
            if (DX * DX + DY * DY <= Radius * Radius) Buffer.WritePixel(Y, X, Color);
        }
    }
}

}  // namespace

void TStereogram::DrawGuideDots() {
    // The background is depth level 0 as the rows read it (255 for crossed eyes); its
    // separation in output pixels, rounded half to even.
    const long double Samples = FDepthTable[std::size_t(FLevelInversion)];
    const int Separation = ExtendedMath::Round(Samples / FOversampling);
    const int Left = FWidth / 2 - Separation / 2, Right = Left + Separation;
    const int Top = std::max(kMinTop, FHeight / kTopDivisor);
    const int Radius = std::max(kMinRadius, FWidth / kRadiusDivisor);
    TFastDIBTavo& Out = *FOutputBuffer;
    // Both rims first, so that dots close together keep both black centres whole.
    for (int Centre : {Left, Right}) FillDisc(Out, Centre, Top, Radius + kRimWidth, TFColor{255, 255, 255});
    for (int Centre : {Left, Right}) FillDisc(Out, Centre, Top, Radius, TFColor{0, 0, 0});
}
