// An XMP packet that holds text chunks as properties of the program's own namespace, for
// formats that carry metadata as XMP (an animated WebP). Each key must be an XML name.
#pragma once

#include <string>

#include "PngFormat.h"

// The namespace of the properties, under the prefix "stereogramm".
inline constexpr const char* StereogrammXmpNamespace = "https://stereogramm.example.org/xmp/1.0/";

std::string XmpPacket(const TPngTextChunks& Texts);
