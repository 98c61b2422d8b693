// Stereograms made for checking the reveal: a built-in sample drawn by our generator in one
// of its kinds, with the depth map as the run read it and the geometry it drew with; and
// scores of a revealed map against the true one.
#pragma once

#include <cstdint>
#include <string_view>

#include "Bitmap.h"
#include "Reveal.h"

enum class TRevealKind : std::uint8_t { Textured4, Textured1, RandomDotTextured, FastRandomDot, ColoredDot };
inline constexpr TRevealKind AllRevealKinds[] = {TRevealKind::Textured4, TRevealKind::Textured1, TRevealKind::RandomDotTextured,
                                                 TRevealKind::FastRandomDot, TRevealKind::ColoredDot};
std::string_view RevealKindName(TRevealKind Kind);
bool IsRandomDotKind(TRevealKind Kind);

struct TRevealScene {
    TBitmap Stereogram;
    TBitmap TrueDepth;  // the levels the run read, at the stereogram's size
    TRevealGeometry Geometry;
    int FarRepeat = 0;  // the far plane's separation in pixels
};

// Sample 1 … 28 fitted to Width × Height (beyond the classic size limit: the large one),
// texture 1 where the kind takes one.
TRevealScene MakeRevealScene(int Sample, TRevealKind Kind, int Width = 800, int Height = 500, bool CrossEyed = false,
                             std::uint32_t Seed = 1, int DPI = 72);

// A random-dot stereogram of Depth (levels in the red channel) by another maker: the
// textbook algorithm of symmetric linking with hidden-surface removal, written here
// from its description, with eyes 2.5 inches apart at 72 dpi and a depth of field of one
// third. Its far repeat is TextbookFarRepeat.
TBitmap TextbookStereogram(const TBitmap& Depth, std::uint32_t Seed = 1);
inline constexpr int TextbookFarRepeat = 90;

// Of the pixels more than Margin from the left and right edges: the share whose levels
// differ by at most Tolerance, and the correlation of the levels (Pearson's r).
double ShareWithinLevels(const TBitmap& Revealed, const TBitmap& Truth, int Margin, int Tolerance);
double DepthCorrelation(const TBitmap& Revealed, const TBitmap& Truth, int Margin);
