// Binary portable pixmaps (P6), for the command-line tool.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

std::vector<std::uint8_t> WritePpm(const TBitmap& Bitmap);
