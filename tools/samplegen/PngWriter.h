// Writes a colour picture as an 8-bit RGB PNG file (for the contact sheet).
#pragma once

#include <string>

#include "Image.h"

namespace samplegen {

void WritePng(const RgbImage& image, const std::string& path);

}  // namespace samplegen
