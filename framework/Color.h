// Packed colours: red + green × 256 + blue × 65536, top byte 0.
#pragma once

#include <cstdint>

using TColor32 = std::uint32_t;

constexpr TColor32 PackColor(std::uint8_t Red, std::uint8_t Green, std::uint8_t Blue) {
    return TColor32(Red) | (TColor32(Green) << 8) | (TColor32(Blue) << 16);
}
constexpr std::uint8_t RedOf(TColor32 C) { return std::uint8_t(C); }
constexpr std::uint8_t GreenOf(TColor32 C) { return std::uint8_t(C >> 8); }
constexpr std::uint8_t BlueOf(TColor32 C) { return std::uint8_t(C >> 16); }

constexpr TColor32 clBlack = 0x000000;
constexpr TColor32 clWhite = 0xFFFFFF;
