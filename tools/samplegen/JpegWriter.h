// Writes the generated pictures as baseline JPEG files with libjpeg-turbo. The same
// picture always gives the same bytes.
#pragma once

#include <string>

#include "Image.h"

namespace samplegen {

enum class JpegChannels { Grey, Colour };

// A depth map: as a greyscale JPEG, or as a colour JPEG with equal red, green and blue.
void WriteGreyJpeg(const GreyImage& image, JpegChannels channels, const std::string& path);

// A colour picture, without chroma subsampling.
void WriteColourJpeg(const RgbImage& image, const std::string& path);

}  // namespace samplegen
