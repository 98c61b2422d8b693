// Views of a depth map made with a generator's texture at the geometry of its settings.
#pragma once

#include <array>

#include "Bitmap.h"
#include "Stereogram.h"
#include "StereoViews.h"

// The left and the right eye's view of Depth (levels at the generator's output size).
std::array<TBitmap, 2> EyeViews(const TBitmap& Depth, const TStereogram& Generator, bool Shaded);

// A still view: the anaglyph, or the pair (plain, or shaded for the relief) side by side,
// swapped for crossed eyes. Not for the wiggle, which is two frames.
TBitmap ViewOfDepth(TStereoView View, const TBitmap& Depth, const TStereogram& Generator);
