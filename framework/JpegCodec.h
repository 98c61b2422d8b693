// libjpeg-turbo glue behind TJPEGImage: header reading and decoding of a JPEG held in
// memory. Decoder errors, and warnings about corrupt or missing data, raise
// EInvalidGraphic; the process is never ended by the library.
#pragma once

#include <cstdint>
#include <span>

#include "Bitmap.h"

struct TJpegHeader {
    int Width = 0;
    int Height = 0;
    int Components = 0;  // 1 for greyscale data
};

struct TJpegDecodeOptions {
    bool Palette8 = false;   // colour output reduced to a 256-colour palette
    int ScaleDenom = 1;      // 1, 2, 4 or 8
    bool Grayscale = false;  // colour data decoded as grey
    bool FastDct = false;    // fast inverse transform and ordered dithering
};

// CMYK data counts as unreadable: there is no conversion to screen colours.
TJpegHeader ReadJpegHeader(std::span<const std::uint8_t> Data);

// Greyscale output (grey data or the Grayscale option) is an 8-bit bitmap with a grey
// ramp palette; colour output is 24 bits, or 8 bits with the decoder's palette.
TBitmap DecodeJpeg(std::span<const std::uint8_t> Data, const TJpegDecodeOptions& Options);
