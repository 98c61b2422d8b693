// A picture of some kind (bitmap, JPEG image) that reports its size, copies itself and
// draws onto a bitmap.
#pragma once

#include <memory>

#include "Object.h"

class TBitmap;

class TGraphic : public TObject {
public:
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // True when the picture has no pixels.
    virtual bool Empty() const = 0;
    virtual std::unique_ptr<TGraphic> Clone() const = 0;
    // Copies the picture at its own size onto Target with its top-left corner at (X, Y);
    // what falls outside Target is cut off.
    virtual void Draw(TBitmap& Target, int X, int Y) const = 0;
    // Makes Dest a bitmap of this picture: its size, pixel format and pixels.
    virtual void AssignTo(TBitmap& Dest) const = 0;
};
