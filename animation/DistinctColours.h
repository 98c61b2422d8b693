// The distinct colours of a 24-bit frame, how many pixels show each, and for every pixel the
// number of its colour, found in one pass through a hash table.
#pragma once

#include <cstdint>
#include <vector>

#include "Bitmap.h"

class TDistinctColours {
public:
    // Frame must be 24-bit.
    void Count(const TBitmap& Frame);

    // In the order they first appear, row by row from the top; red in the low byte.
    const std::vector<TColor32>& Colours() const { return FColours; }
    // The pixels of each colour.
    const std::vector<std::uint32_t>& Counts() const { return FCounts; }
    // Width × Height numbers of the pixels' colours, row by row from the top.
    const std::vector<std::uint32_t>& PixelColours() const { return FPixelColours; }

private:
    std::uint32_t NumberOf(TColor32 Colour);
    // Colour is new: it takes the empty Slot and the next number.
    std::uint32_t Add(TColor32 Colour, std::size_t Slot);
    void Grow();

    // Open addressing, at most half full: colour << 32 | its number, or Empty.
    std::vector<std::uint64_t> FTable;
    int FTableBits = 0;
    std::vector<TColor32> FColours;
    std::vector<std::uint32_t> FCounts;
    std::vector<std::uint32_t> FPixelColours;
};
