#include "Picture.h"

void TPicture::Assign(const TPicture& Source) {
    if (&Source == this) return;
    FGraphic = Source.FGraphic ? Source.FGraphic->Clone() : nullptr;
}

const TBitmap& TPicture::Bitmap() const {
    static const TBitmap EmptyBitmap;
    const auto* B = As<TBitmap>();
    return B ? *B : EmptyBitmap;
}

TBitmap& TPicture::MakeBitmap() {
    if (auto* B = dynamic_cast<TBitmap*>(FGraphic.get())) return *B;
    auto Fresh = std::make_unique<TBitmap>();
    TBitmap& Result = *Fresh;
    FGraphic = std::move(Fresh);
    return Result;
}
