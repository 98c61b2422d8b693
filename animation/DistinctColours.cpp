#include "DistinctColours.h"

namespace {

constexpr std::uint64_t Empty = ~std::uint64_t(0);  // its colour is no 24-bit colour
constexpr int FirstTableBits = 12;

// Slot of Colour in a table of 2^Bits slots: Fibonacci hashing, the product's high bits.
std::size_t SlotOf(TColor32 Colour, int Bits) { return (Colour * 0x9E3779B1u) >> (32 - Bits); }

}  // namespace

std::uint32_t TDistinctColours::NumberOf(TColor32 Colour) {
    const std::size_t Mask = (std::size_t(1) << FTableBits) - 1;
    std::size_t Slot = SlotOf(Colour, FTableBits);
    for (std::uint64_t Entry; (Entry = FTable[Slot]) != Empty; Slot = (Slot + 1) & Mask)
        if (TColor32(Entry >> 32) == Colour) return std::uint32_t(Entry);
    return Add(Colour, Slot);
}

std::uint32_t TDistinctColours::Add(TColor32 Colour, std::size_t Slot) {
    const std::uint32_t Number = std::uint32_t(FColours.size());
    FTable[Slot] = std::uint64_t(Colour) << 32 | Number;
    FColours.push_back(Colour);
    FCounts.push_back(0);
    if (FColours.size() * 2 > FTable.size()) Grow();
    return Number;
}

void TDistinctColours::Grow() {
    ++FTableBits;
    FTable.assign(std::size_t(1) << FTableBits, Empty);
    const std::size_t Mask = FTable.size() - 1;
    for (std::uint32_t Number = 0; Number < FColours.size(); ++Number) {
        std::size_t Slot = SlotOf(FColours[Number], FTableBits);
        while (FTable[Slot] != Empty) Slot = (Slot + 1) & Mask;
        FTable[Slot] = std::uint64_t(FColours[Number]) << 32 | Number;
    }
}

void TDistinctColours::Count(const TBitmap& Frame) {
    FTableBits = FirstTableBits;
    FTable.assign(std::size_t(1) << FTableBits, Empty);
    FColours.clear();
    FCounts.clear();
    FPixelColours.resize(std::size_t(Frame.Width()) * std::size_t(Frame.Height()));
    std::uint32_t* Out = FPixelColours.data();
    TColor32 Last = ~TColor32(0);
    std::uint32_t Number = 0;
    for (int Y = 0; Y < Frame.Height(); ++Y) {
        const std::uint8_t* Row = Frame.ScanLine(Y);
        for (int X = 0; X < Frame.Width(); ++X, Row += 3) {
            const TColor32 Colour = PackColor(Row[2], Row[1], Row[0]);
            // Runs of one colour are common: only a new colour is looked up.
            if (Colour != Last) {
                Number = NumberOf(Colour);
                Last = Colour;
            }
            ++FCounts[Number];
            *Out++ = Number;
        }
    }
}
