// Reading a picture file for the generator, with the reason of every failure: the file is
// read by its content and arrives as a bitmap (a JPEG decoded with the loading options into
// 24 bits, other formats with the bitmap they give).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "DepthRasterizer.h"
#include "Picture.h"

struct TPictureRead {
    TPicture Picture;                   // holds a bitmap
    std::vector<std::string> Warnings;  // English; things a viewer would pass over, such as a file cut short
    bool FromModel = false;             // rendered from a 3D model at the size asked for
};

// Raises EFileError when the file cannot be opened or read, EInvalidGraphic with its reason
// when it is no readable picture, and the decoder's error when JPEG data fails after a
// readable header.
TPictureRead ReadPicture(const std::string& FileName);
// The same for bytes in memory; NameHint stands in for the extension where the content has
// no signature.
TPictureRead ReadPictureBytes(std::span<const std::uint8_t> Bytes, const std::string& NameHint = {});

// A depth map from a file: a picture, read as ReadPicture does, or a 3D model (content with
// no picture signature that LooksLikeModel takes for one) rendered at Width × Height as
// View says. Raises as ReadPicture and RenderModelDepth do.
TPictureRead ReadDepthFile(const std::string& FileName, int Width, int Height, const TModelView& View = {});
