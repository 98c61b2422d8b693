// Loading the built-in samples and picture files into pictures, ready for the generator.
#pragma once

#include <string>

#include "Picture.h"

// Replaces Target with the built-in JPEG picture Name ("Bei7", "Bild3", any letter case),
// decoded with the decoder's defaults into a bitmap. A missing name raises Exception.
void LoadSampleDepthMap(TPicture& Target, const std::string& Name);
// The same operation for the texture view.
inline void LoadSampleMask(TPicture& Target, const std::string& Name) { LoadSampleDepthMap(Target, Name); }

// Replaces Target with the picture of a file: a JPEG arrives as a 24-bit bitmap of its own
// size, a bitmap file with its own pixel format. A file that is not a readable picture
// leaves Target unchanged without a message; a file that cannot be opened, and a JPEG
// whose data fails after a readable header, raise their error and leave Target unchanged.
// True when Target took the file's picture.
bool LoadImage(TPicture& Target, const std::string& FileName);

// Steps after reading: applies SetJPEGOptions to Loaded and passes it on to Target as a
// bitmap. A Loaded picture holding nothing leaves Target unchanged; a graphic that is
// neither a bitmap nor a JPEG picture arrives as an empty bitmap. A bitmap is moved, not
// copied: Loaded is left with an empty one.
void TakeLoadedPicture(TPicture& Target, TPicture& Loaded);

// If Picture holds a JPEG picture: 24 bits, full size, colour, best quality, progressive
// display off. Any other content is left alone.
void SetJPEGOptions(TPicture& Picture);
