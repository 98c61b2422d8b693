// PNG files through their reader (see PictureReaderTarget.h).
#include "PngFormat.h"
#include "PictureReaderTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) { return FuzzPictureReader<ReadPng>(Data, Size); }
