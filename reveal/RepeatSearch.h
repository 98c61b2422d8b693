// The horizontal repeats a stereogram is made of, found from the picture alone: for pixels
// of a few rows, the shift at which a small window matches best, where that match stands
// out clearly from the others; the shifts found bound the separations of the picture.
#pragma once

#include "RevealPicture.h"

struct TRepeatRange {
    int Smallest = 0, Largest = 0;  // separations in pixels
    double Confidence = 0;          // share of the pixels read whose match stood out, 0 … 1
};

// The shortest repeat looked for; a picture narrower than two of them is refused.
constexpr int SmallestRepeatLookedFor = 8;

// Raises TRevealFailure for a picture narrower than two shortest repeats or one in which too
// few pixels repeat.
TRepeatRange FindRepeatRange(const TRevealPicture& Picture, int Threads);
