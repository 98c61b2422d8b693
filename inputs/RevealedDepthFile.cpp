#include "RevealedDepthFile.h"

#include <algorithm>
#include <thread>

#include "PictureReader.h"

TRevealedDepthFile RevealDepthFile(const std::string& FileName, bool CrossEyed) {
    TPictureRead Read = ReadPicture(FileName);
    // The reveal gives the same map on any number of threads.
    const TRevealSettings Settings{std::nullopt, CrossEyed, int(std::max(1u, std::thread::hardware_concurrency()))};
    return {Reveal(Read.Picture.Bitmap(), Settings), std::move(Read.Warnings)};
}
