// Ways to see a depth map without the stereogram trick: the textured surface as the left
// and the right eye see it, put together as a red-cyan anaglyph, a side-by-side pair or the
// frames of a wiggle, plain or shaded as a relief.
#pragma once

#include <cstdint>

#include "Bitmap.h"
#include "Reveal.h"

enum class TStereoView : std::uint8_t { Anaglyph, Pair, Wiggle, Relief };

enum class TEye : std::uint8_t { Left, Right };

struct TEyeViewSettings {
    TRevealGeometry Geometry;  // the separations the surface's depth levels have
    bool Shaded = false;       // lit from the upper left, as a relief
};

// The surface of Depth (levels 0 far … 255 near, read from the red channel) with Texture
// tiled over it (grey where Texture is empty), seen by Eye: every pixel moved by half the
// separation of its level beyond the nearest one's, nearer pixels hiding farther ones, the
// pixels a move uncovers taken from the background beside them. 24 bits, Depth's size.
TBitmap EyeView(const TBitmap& Depth, const TBitmap& Texture, const TEyeViewSettings& Settings, TEye Eye);

// Red from Left, green and blue from Right (grey of each, so colours do not fight the filters).
TBitmap Anaglyph(const TBitmap& Left, const TBitmap& Right);
// First and Second side by side.
TBitmap SideBySide(const TBitmap& First, const TBitmap& Second);
