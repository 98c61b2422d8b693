// The working state of one row being rendered: the row tables and the per-column working
// values. A run keeps one for every row it has in flight, so that rows can be rendered side
// by side without sharing anything but the buffers.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <vector>

struct TRowWork {
    // Per-column working values of the row algorithms.
    int FPixelDepth = 0;
    int FPixelSep = 0;
    int FLeft = 0;
    int FRight = 0;
    // Depth level of each output column of the row.
    std::vector<std::uint8_t> FDepthLevels;

    // Link tables indexed by sample column: 16-bit entries while a row has at most
    // MaxNarrowEntries samples, the wide tables beyond.
    static constexpr int MaxNarrowEntries = 65536;
    std::vector<std::uint16_t> FLinkLeft;
    std::vector<std::uint16_t> FLinkRight;
    std::vector<std::uint32_t> FWideLinkLeft;
    std::vector<std::uint32_t> FWideLinkRight;
    // Packed colour of each sample column of the row being built.
    std::vector<std::uint32_t> FRowColors;
    // Coloured-dot rows: for each column, the column whose link entry its constraint wrote,
    // or −1 when the column recorded nothing; its mask step is taken later in column order.
    std::vector<std::int32_t> FMaskPartner;

    // Gives the tables Entries entries each (the wide link tables only when Entries needs
    // them, the mask partners only when asked for); the contents are undefined.
    void Fit(int Entries, bool WithMaskPartners) {
        const bool Wide = Entries > MaxNarrowEntries;
        Resize(FLinkLeft, Wide ? 0 : Entries);
        Resize(FLinkRight, Wide ? 0 : Entries);
        Resize(FWideLinkLeft, Wide ? Entries : 0);
        Resize(FWideLinkRight, Wide ? Entries : 0);
        Resize(FRowColors, Entries);
        Resize(FDepthLevels, Entries);
        Resize(FMaskPartner, WithMaskPartners ? Entries : 0);
    }

    template <class TLink>
    TLink* LinkLeft() {
        if constexpr (sizeof(TLink) == sizeof(std::uint16_t)) return FLinkLeft.data();
        else return FWideLinkLeft.data();
    }
    template <class TLink>
    TLink* LinkRight() {
        if constexpr (sizeof(TLink) == sizeof(std::uint16_t)) return FLinkRight.data();
        else return FWideLinkRight.data();
    }

private:
    // Keeps the memory while the size stays; gives it back when a table shrinks.
    template <class T>
    static void Resize(std::vector<T>& Table, int Entries) {
        if (Table.size() == std::size_t(Entries)) return;
        std::vector<T>(std::size_t(Entries)).swap(Table);
    }
};

// Entries 0 … Count − 1 of Links := their own index (no partner). Narrow tables are reset
// by copying, which is faster than counting.
template <class TLink>
void ResetLinks(TLink* Links, int Count) {
    if constexpr (sizeof(TLink) == sizeof(std::uint16_t)) {
        static constexpr auto Identity = [] {
            std::array<std::uint16_t, TRowWork::MaxNarrowEntries> T{};
            for (std::size_t I = 0; I < T.size(); ++I) T[I] = std::uint16_t(I);
            return T;
        }();
        std::copy_n(Identity.begin(), std::clamp(Count, 0, TRowWork::MaxNarrowEntries), Links);
    } else {
        std::iota(Links, Links + std::max(Count, 0), TLink(0));
    }
}
