// Why a picture could not be revealed, as a code with its values; each front end words it.
#pragma once

#include <exception>

struct TRevealFailure : std::exception {
    enum class TKind { NoRepeatingPattern, NarrowerThanTwoRepeats };
    TKind Kind = TKind::NoRepeatingPattern;
    int Width = 0;                           // of the picture
    // The horizontal repeats looked for, in pixels; for a picture too narrow, the largest is
    // the repeat it cannot hold twice.
    int SmallestRepeat = 0, LargestRepeat = 0;
    int RowsLooked = 0;                      // rows the search read

    TRevealFailure(TKind AKind, int AWidth, int Smallest, int Largest, int Rows)
        : Kind(AKind), Width(AWidth), SmallestRepeat(Smallest), LargestRepeat(Largest), RowsLooked(Rows) {}
    const char* what() const noexcept override { return "stereogram cannot be revealed"; }
};
