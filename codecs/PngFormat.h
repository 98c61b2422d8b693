// PNG files through libpng. Every PNG (1 to 16 bits, grey, palette, colour, with or
// without transparency) arrives as a 24-bit bitmap: 16-bit samples are rounded to 8 bits,
// and transparency is laid over black, the far background of a depth map.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Bitmap.h"

// Keyword (Latin letters) and text (UTF-8) of text chunks.
using TPngTextChunks = std::vector<std::pair<std::string, std::string>>;

// Raises EInvalidGraphic for anything that is not a readable PNG.
TBitmap ReadPng(std::span<const std::uint8_t> Data);

// The text chunks of PNG data that are stored uncompressed (tEXt, and iTXt without
// compression, as WritePng writes them), in file order; none for data that is no PNG or is
// cut short. Reads only the chunk headers it walks past, within Data.
TPngTextChunks ReadPngText(std::span<const std::uint8_t> Data);

// An 8-bit RGB PNG of any bitmap, with the given texts in uncompressed iTXt chunks, which
// hold UTF-8, so that a file name in any letters survives. Fast compresses at zlib's
// fastest level, for the many frames of an animation.
std::vector<std::uint8_t> WritePng(const TBitmap& Bitmap, const TPngTextChunks& Text = {}, bool Fast = false);
