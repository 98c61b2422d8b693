// A row of 24-bit pixels split into its three channels, so that the colour differences of
// many pixel pairs one shift apart are worked out side by side by the vector units.
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

class TChannelRow {
public:
    void Take(const std::uint8_t* Pixels, int Width) {
        FWidth = std::size_t(Width);
        FValues.resize(3 * FWidth);
        for (std::size_t X = 0; X < FWidth; ++X)
            for (std::size_t C = 0; C < 3; ++C) FValues[C * FWidth + X] = Pixels[3 * X + C];
    }

    // Out[I] := the colour difference of pixel First + I and the one Shift to its right, the
    // absolute differences of the channels summed and capped at Cap (at most 765), for I < Count.
    void PairCosts(int First, int Shift, int Count, int Cap, std::uint16_t* __restrict Out) const {
        const std::uint8_t* __restrict R = FValues.data() + std::size_t(First);
        const std::uint8_t* __restrict G = R + FWidth;
        const std::uint8_t* __restrict B = G + FWidth;
        const auto Limit = std::uint16_t(Cap);
        for (int I = 0; I < Count; ++I) {
            const auto Sum = std::uint16_t(Difference(R[I], R[I + Shift]) + Difference(G[I], G[I + Shift]) + Difference(B[I], B[I + Shift]));
            Out[I] = std::min(Limit, Sum);
        }
    }

private:
    static std::uint16_t Difference(std::uint8_t A, std::uint8_t B) { return std::uint16_t(std::max(A, B) - std::min(A, B)); }

    std::size_t FWidth = 0;
    std::vector<std::uint8_t> FValues;  // [channel][X]
};
