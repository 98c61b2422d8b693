#include "RevealedDepthFile.h"

#include <algorithm>
#include <thread>

#include "PictureFiles.h"
#include "PictureReader.h"
#include "RecordedGeometry.h"

TRevealedDepthFile RevealDepthFile(const std::string& FileName, bool CrossEyed) {
    const std::vector<std::uint8_t> Bytes = ReadPictureFileBytes(FileName);
    TPictureRead Read = ReadPictureBytes(Bytes, FileName);
    const TBitmap& Picture = Read.Picture.Bitmap();
    const TRecordedGeometry Recorded = RecordedGeometry(ReadPngText(Bytes), Picture.Width(), Picture.Height());
    if (!Recorded.Problem.empty()) Read.Warnings.push_back(Recorded.Problem + "; the depth is relative");
    // The reveal gives the same map on any number of threads.
    const TRevealSettings Settings{Recorded.Geometry, CrossEyed, int(std::max(1u, std::thread::hardware_concurrency()))};
    return {Reveal(Picture, Settings), Recorded.Geometry.has_value(), std::move(Read.Warnings)};
}
