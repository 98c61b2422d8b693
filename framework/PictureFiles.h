// Picture files chosen by their extension, letter case ignored.
#pragma once

#include <string>

#include "Bitmap.h"
#include "Picture.h"
#include "PngFormat.h"

// Reads a file into Picture: .bmp and .png as a TBitmap, .jpg and .jpeg as a TJPEGImage.
// An unknown extension or content that is not a readable picture raises EInvalidGraphic;
// a file that cannot be opened or read raises Exception naming the file. Picture changes
// only when reading succeeds.
void LoadPictureFromFile(TPicture& Picture, const std::string& FileName);

// Writes Bitmap as .png (with the text chunks), .bmp (24 bits) or .ppm (binary). The file
// is written completely or not at all: a temporary file in the same folder is renamed
// over it at the end. Failures raise Exception naming the file.
void SaveBitmapToFile(const TBitmap& Bitmap, const std::string& FileName, const TPngTextChunks& Text = {});
