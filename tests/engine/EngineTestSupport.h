// Helpers for the engine tests: a subclass that opens the component's internals, and
// small synthetic pictures built in code.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Picture.h"
#include "Stereogram.h"

class TStereogramProbe : public TStereogram {
public:
    TStereogramProbe() : TStereogram(nullptr) {}

    // The working state of a row rendered on the calling thread.
    TRowWork& Work() { return FirstRowWork(); }

    using TStereogram::BuildDepthTable;
    using TStereogram::ColorTexturedRow;
    using TStereogram::ReadDepthLevels;
    using TStereogram::GetPixelRGB;
    using TStereogram::LinkTexturedRow;
    using TStereogram::RecordRandomDotLink;
    using TStereogram::ReduceTexturedRow;
    using TStereogram::SeparationForLevel;
    using TStereogram::SetPixelRGB;
    using TStereogram::UpdateGeometry;

    using TStereogram::FBlurDivisor;
    using TStereogram::FDepthBuffer;
    using TStereogram::FDepthLeft;
    using TStereogram::FDepthTable;
    using TStereogram::FDepthTop;
    using TStereogram::FEyeSep;
    using TStereogram::FEyeSepSub;
    using TStereogram::FFarPlane;
    using TStereogram::FMaskBuffer;
    using TStereogram::FNearPlane;
    using TStereogram::FObserver;
    using TStereogram::FOutputBuffer;
    using TStereogram::FPatternWidth;
    using TStereogram::FPeriod;
    using TStereogram::FPhase;
    using TStereogram::FRowShift;
    using TStereogram::FStripStart;
    using TStereogram::FSubWidth;
    using TStereogram::FTextureHeight;
};

// A 24-bit picture whose pixel (x, y) has the colour Color(x, y).
inline TPicture ColorPicture(int Width, int Height, const std::function<TColor32(int, int)>& Color) {
    auto Bitmap = std::make_unique<TBitmap>(Width, Height, pf24bit);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X) Bitmap->SetPixel(X, Y, Color(X, Y));
    TPicture Picture;
    Picture.SetGraphic(std::move(Bitmap));
    return Picture;
}

// A grey picture with level Level(x, y).
inline TPicture GreyPicture(int Width, int Height, const std::function<int(int, int)>& Level) {
    return ColorPicture(Width, Height, [&](int X, int Y) {
        const auto V = std::uint8_t(Level(X, Y));
        return PackColor(V, V, V);
    });
}

inline TPicture BlackPicture(int Width, int Height) {
    return GreyPicture(Width, Height, [](int, int) { return 0; });
}

// A texture whose every pixel has a colour of its own, so that copies can be traced.
inline TPicture DistinctTexture(int Width, int Height) {
    return ColorPicture(Width, Height, [](int X, int Y) { return PackColor(std::uint8_t(X), std::uint8_t(Y), std::uint8_t(X ^ Y)); });
}

// The packed colours of one row of a picture's bitmap.
inline std::vector<TColor32> RowOf(const TPicture& Picture, int Row) {
    std::vector<TColor32> Colors;
    for (int X = 0; X < Picture.Width(); ++X) Colors.push_back(Picture.Bitmap().Pixel(X, Row));
    return Colors;
}

// Generates with a fixed seed and returns a copy of the output.
inline TPicture Render(TStereogram& Stereogram, std::uint32_t Seed = 12345) {
    Stereogram.SetFixedSeed(Seed);
    Stereogram.Generate();
    return Stereogram.GetPicture();
}
