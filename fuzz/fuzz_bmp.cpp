// Bitmap files through their reader (see PictureReaderTarget.h).
#include "BmpFormat.h"
#include "PictureReaderTarget.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) { return FuzzPictureReader<ReadBmp>(Data, Size); }
