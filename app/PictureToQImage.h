// Converts a framework picture into a QImage for painting.
#pragma once

#include <QImage>

class TPicture;

// A 32-bit opaque image of the picture; a null image when the picture has no pixels or
// cannot be decoded.
QImage PictureToQImage(const TPicture& Picture);
