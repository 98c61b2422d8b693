// The contact sheet: every built-in picture as a labelled thumbnail, in groups.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "Image.h"

namespace samplegen {

struct SheetEntry {
    std::string label;
    RgbImage picture;
};

struct SheetGroup {
    std::string heading;
    std::vector<SheetEntry> entries;
    int boxWidth = 0, boxHeight = 0;  // each thumbnail is scaled to fit this box
    bool tileTwice = false;           // show 2 × 2 copies, so a seam would be visible
};

RgbImage ToRgb(const GreyImage& image);

RgbImage MakeContactSheet(std::span<const SheetGroup> groups);

}  // namespace samplegen
