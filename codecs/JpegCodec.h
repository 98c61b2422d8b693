// libjpeg-turbo glue behind TJPEGImage and the JPEG writer: header reading, decoding of a
// JPEG held in memory, and encoding. Decoder errors raise EInvalidGraphic with libjpeg's
// own message; its warnings (extraneous bytes, a file cut short, …) are not errors: the
// picture is read as the decoder makes it and the warnings are handed on. The process is
// never ended by the library.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Bitmap.h"

struct TJpegHeader {
    int Width = 0;
    int Height = 0;
    int Components = 0;  // 1 for greyscale data, 4 for CMYK and YCCK
};

struct TJpegDecodeOptions {
    bool Palette8 = false;   // colour output reduced to a 256-colour palette
    int ScaleDenom = 1;      // 1, 2, 4 or 8
    bool Grayscale = false;  // colour data decoded as grey
    bool FastDct = false;    // fast inverse transform and ordered dithering
};

struct TJpegDecoded {
    TBitmap Bitmap;
    std::vector<std::string> Warnings;  // libjpeg's English texts, each once
};

TJpegHeader ReadJpegHeader(std::span<const std::uint8_t> Data);

// Greyscale output (grey data or the Grayscale option) is an 8-bit bitmap with a grey
// ramp palette; colour output is 24 bits, or 8 bits with the decoder's palette. CMYK and
// YCCK data always arrive as 24-bit colour. A file cut short gives the rows it holds, the
// rest grey, with a warning.
TJpegDecoded DecodeJpeg(std::span<const std::uint8_t> Data, const TJpegDecodeOptions& Options);

// A baseline JPEG file of any bitmap at Quality (1 … 100, clamped), colour kept at full
// resolution (4:4:4): a stereogram's fine coloured dots would smear at half resolution.
std::vector<std::uint8_t> WriteJpeg(const TBitmap& Bitmap, int Quality);
