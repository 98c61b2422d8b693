// PNG files through libpng. Every PNG arrives as a 24-bit bitmap; transparency is laid
// over black, which is the far background of a depth map.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "Bitmap.h"

// Keyword and text of tEXt chunks.
using TPngTextChunks = std::vector<std::pair<std::string, std::string>>;

// Raises EInvalidGraphic for anything that is not a readable PNG.
TBitmap ReadPng(std::span<const std::uint8_t> Data);

// An 8-bit RGB PNG of any bitmap, with the given text chunks.
std::vector<std::uint8_t> WritePng(const TBitmap& Bitmap, const TPngTextChunks& Text = {});
