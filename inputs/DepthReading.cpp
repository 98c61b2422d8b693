#include "DepthReading.h"

#include <memory>

#include "DepthMapTools.h"

namespace {
TPicture PictureOf(TBitmap Bitmap) {
    TPicture Picture;
    Picture.SetGraphic(std::make_unique<TBitmap>(std::move(Bitmap)));
    return Picture;
}
}  // namespace

TPicture ReadDepth(const TPicture& Read, bool Invert) {
    if (!Invert || !Read.Graphic()) return Read;
    return PictureOf(InvertDepth(Read.Bitmap()));
}

std::optional<TPicture> FittedDepth(const TStereogram& Stereogram) {
    if (Stereogram.DepthMap().Bitmap().Empty()) return std::nullopt;
    return PictureOf(FitDepth(Stereogram.DepthMap().Bitmap(), Stereogram.Width(), Stereogram.Height()));
}

void ReplaceDepthMap(TStereogram& Stereogram, const TPicture& Map) {
    const int Width = Stereogram.Width(), Height = Stereogram.Height();
    Stereogram.SetDepthMap(Map);
    if (Stereogram.StereoType() == sgtColoredDot) return;
    Stereogram.SetWidth(Width);
    Stereogram.SetHeight(Height);
}
