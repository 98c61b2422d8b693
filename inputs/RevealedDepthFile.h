// The depth hidden in a stereogram file, as both front ends reveal it: the same picture
// gives the same depth map, so that a record naming the file replays exactly.
#pragma once

#include <string>
#include <vector>

#include "Reveal.h"

struct TRevealedDepthFile {
    // The depth levels the run read for a PNG whose recorded options read, else relative
    // depth: far black, near white.
    TRevealResult Result;
    bool Recorded = false;              // levels through the recorded geometry
    std::vector<std::string> Warnings;  // English: of reading the file and its record
};

// Raises as ReadPicture does for an unreadable file and TRevealFailure for a picture that
// is no stereogram. CrossEyed: without a record, smaller separations are far.
TRevealedDepthFile RevealDepthFile(const std::string& FileName, bool CrossEyed);
