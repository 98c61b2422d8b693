// A grey picture of one byte per pixel, rows top to bottom: what the depth sources draw
// before it becomes an ordinary depth picture.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "Bitmap.h"

// Sizes below 1 raise Exception, sizes past the picture limits EInvalidGraphic.
void CheckDepthMapSize(int Width, int Height);

struct TGreyPlane {
    // A black plane, its size checked before anything is allocated.
    TGreyPlane(int AWidth, int AHeight);

    std::uint8_t* Row(int Y) { return Levels.data() + std::size_t(Y) * std::size_t(Width); }
    const std::uint8_t* Row(int Y) const { return Levels.data() + std::size_t(Y) * std::size_t(Width); }

    int Width;
    int Height;
    std::vector<std::uint8_t> Levels;
};

// Free room a depth source leaves between what it draws and the picture's edges: a share
// of the shorter side.
int DepthMargin(int Width, int Height);

// The plane as a 24-bit bitmap with red, green and blue equal, as a loaded depth map is.
TBitmap ToDepthBitmap(const TGreyPlane& Plane);
