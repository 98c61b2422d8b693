// What the depth-source tests share: grey levels and lit pixels.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Bitmap.h"

// Grey level of a depth map's pixel (red, green and blue are equal in our depth maps).
inline int Level(const TBitmap& Depth, int X, int Y) { return int(Depth.Pixel(X, Y) & 0xFF); }

inline std::vector<int> Levels(const TBitmap& Depth) {
    std::vector<int> All;
    for (int Y = 0; Y < Depth.Height(); ++Y)
        for (int X = 0; X < Depth.Width(); ++X) All.push_back(Level(Depth, X, Y));
    return All;
}

// How many pixels are lit in one picture but not at the mirrored place (left to right) in
// the other.
inline int MirrorMismatches(const TBitmap& A, const TBitmap& B) {
    int Count = 0;
    for (int Y = 0; Y < A.Height(); ++Y)
        for (int X = 0; X < A.Width(); ++X) Count += (Level(A, X, Y) > 0) != (Level(B, B.Width() - 1 - X, Y) > 0);
    return Count;
}

inline int LitCount(const TBitmap& Depth) {
    int Count = 0;
    for (int Y = 0; Y < Depth.Height(); ++Y)
        for (int X = 0; X < Depth.Width(); ++X) Count += Level(Depth, X, Y) > 0;
    return Count;
}

// The runs of lit pixels along row Y, as first and last column.
inline std::vector<std::pair<int, int>> LitRuns(const TBitmap& Depth, int Y) {
    std::vector<std::pair<int, int>> Runs;
    for (int X = 0; X < Depth.Width(); ++X) {
        if (Level(Depth, X, Y) == 0) continue;
        if (Runs.empty() || Runs.back().second != X - 1) Runs.emplace_back(X, X);
        else Runs.back().second = X;
    }
    return Runs;
}
