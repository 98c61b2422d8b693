#include "GeneratorViews.h"

std::array<TBitmap, 2> EyeViews(const TBitmap& Depth, const TStereogram& Generator, bool Shaded) {
    // The depth levels here are the map's own: far is 0 whichever way the eyes look.
    const TEyeViewSettings Settings{{Generator.SeparationTable(), Generator.Oversampling(), false}, Shaded};
    const TBitmap& Texture = Generator.MaskMap().Bitmap();
    return {EyeView(Depth, Texture, Settings, TEye::Left), EyeView(Depth, Texture, Settings, TEye::Right)};
}

TBitmap ViewOfDepth(TStereoView View, const TBitmap& Depth, const TStereogram& Generator) {
    const auto [Left, Right] = EyeViews(Depth, Generator, View == TStereoView::Relief);
    if (View == TStereoView::Anaglyph) return Anaglyph(Left, Right);
    return Generator.CrossEyed() ? SideBySide(Right, Left) : SideBySide(Left, Right);
}
