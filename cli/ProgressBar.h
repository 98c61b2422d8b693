// A one-line progress bar on a terminal, redrawn in place when what it shows changes.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace cli {

class ProgressBar {
public:
    explicit ProgressBar(std::FILE* Stream) : FStream(Stream) {}

    // Draws Percent (0 … 100); at 100 the line is finished with a line break.
    void Show(int Percent);
    // Draws Done of Total files (or other Units); when all are done the line is finished
    // with a line break.
    void ShowCount(int Done, int Total, std::string_view Units = "files");
    // Draws the last bar again, after something else was written over its line.
    void Redraw() const;

private:
    void Draw(int Filled, const std::string& Label, bool Finished);

    std::FILE* FStream;
    int FShown = -1;
    std::string FLine;
};

}  // namespace cli
