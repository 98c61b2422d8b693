// Holder of one graphic (none, a bitmap, a JPEG image). Copies are deep.
#pragma once

#include <memory>

#include "Bitmap.h"
#include "Graphic.h"

class TPicture : public TObject {
public:
    TPicture() = default;
    TPicture(const TPicture& Other) { Assign(Other); }
    TPicture& operator=(const TPicture& Other) {
        Assign(Other);
        return *this;
    }

    const TGraphic* Graphic() const { return FGraphic.get(); }
    TGraphic* Graphic() { return FGraphic.get(); }
    void SetGraphic(std::unique_ptr<TGraphic> Value) { FGraphic = std::move(Value); }

    // A copy of Source's graphic replaces ours (an empty Source empties us).
    void Assign(const TPicture& Source);
    void Clear() { FGraphic.reset(); }

    // Size of the graphic; 0 when the picture holds nothing.
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // The picture as a bitmap: content that is not a bitmap reads as an empty bitmap.
    const TBitmap& Bitmap() const;
    // Makes the picture a bitmap (an existing bitmap is kept, anything else is replaced by
    // an empty one) and returns it for writing.
    TBitmap& MakeBitmap();

    template <class T>
    const T* As() const {
        return dynamic_cast<const T*>(FGraphic.get());
    }

private:
    std::unique_ptr<TGraphic> FGraphic;
};
