// Picture files: read by their content (the extension only decides where the content has
// no signature), written by their extension.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "Bitmap.h"
#include "Picture.h"
#include "PictureFormats.h"
#include "PngFormat.h"

// Reads a file into Picture: JPEG data as a TJPEGImage, every other format as a TBitmap.
// The format is the one whose signature the content starts with; a zero-length .bmp file
// is a bitmap without pixels.
// Content of no format we read raises EInvalidGraphic (NotAPicture), a broken or
// unsupported picture EInvalidGraphic with its reason; a file that cannot be opened or
// read raises EFileError. Picture changes only when reading succeeds.
void LoadPictureFromFile(TPicture& Picture, const std::string& FileName);
// The same for bytes in memory; NameHint (a file name, may be empty) stands in for the
// extension where the content has no signature.
void LoadPictureFromBytes(TPicture& Picture, std::span<const std::uint8_t> Bytes, const std::string& NameHint = {});

// The whole file, with the size bounded by what a picture within the limits can need.
std::vector<std::uint8_t> ReadPictureFileBytes(const std::string& FileName);

struct TSaveOptions {
    int JpegQuality = 92;  // 1 … 100
    bool FastPng = false;  // zlib's fastest level, for the frames of an animation
};

// Bitmap as the bytes of a file of Format (one that FileFormats() says we write): PNG with
// the text chunks, 24-bit BMP, binary PPM, …
std::vector<std::uint8_t> EncodeBitmap(const TBitmap& Bitmap, TFileFormat Format, const TPngTextChunks& Text = {},
                                       const TSaveOptions& Options = {});

// Writes Bitmap in the format its extension names. The file is written completely or not
// at all: a temporary file in the same folder is renamed over it at the end. A new file's
// mode follows the umask, an existing one keeps its mode; a symbolic link is followed and
// stays a link. A device or pipe is written in place. Failures (a missing folder, a full
// disk, …) raise EFileError naming the file and the system's reason, and leave an earlier
// file as it was; an extension of no format we write raises Exception.
void SaveBitmapToFile(const TBitmap& Bitmap, const std::string& FileName, const TPngTextChunks& Text = {},
                      const TSaveOptions& Options = {});
