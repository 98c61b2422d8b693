// A one-line progress bar on a terminal, redrawn in place when the percentage changes.
#pragma once

#include <cstdio>

namespace cli {

class ProgressBar {
public:
    explicit ProgressBar(std::FILE* Stream) : FStream(Stream) {}

    // Draws Percent (0 … 100); at 100 the line is finished with a line break.
    void Show(int Percent);

private:
    std::FILE* FStream;
    int FShown = -1;
};

}  // namespace cli
