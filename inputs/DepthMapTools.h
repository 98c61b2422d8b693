// Helpers for the depth maps people actually have: one whose white is far, one of another
// size than the stereogram. Each makes an ordinary picture before it reaches SetDepthMap,
// so the generator's own behaviour stays as it is.
#pragma once

#include "Bitmap.h"

// Every channel v becomes 255 − v, so that a map with white far gets black far. 24 bits.
TBitmap InvertDepth(const TBitmap& Depth);

// Depth scaled to fit Width × Height with its aspect kept (area average along a side that
// shrinks, bilinear along one that grows) and centred on black, the far background.
// 24 bits; an empty Depth gives an empty bitmap.
TBitmap FitDepth(const TBitmap& Depth, int Width, int Height);

// What a Width × Height run reads of Depth: the map placed as the generator places it
// (centred, its middle part where it is larger), black outside, every pixel the grey of
// the depth level its colour gives. 24 bits.
TBitmap DepthLevelsInOutput(const TBitmap& Depth, int Width, int Height);
