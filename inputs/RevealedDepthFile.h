// The depth hidden in a stereogram file, as both front ends reveal it: the same picture
// gives the same depth map, so that a record naming the file replays exactly.
#pragma once

#include <string>
#include <vector>

#include "Reveal.h"

struct TRevealedDepthFile {
    TRevealResult Result;               // relative depth: far black, near white
    std::vector<std::string> Warnings;  // of reading the file
};

// Raises as ReadPicture does for an unreadable file and TRevealFailure for a picture that
// is no stereogram. CrossEyed: smaller separations are far.
TRevealedDepthFile RevealDepthFile(const std::string& FileName, bool CrossEyed);
