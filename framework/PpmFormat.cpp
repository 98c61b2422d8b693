#include "PpmFormat.h"

#include <string>

#include "Bitmap24.h"

std::vector<std::uint8_t> WritePpm(const TBitmap& Bitmap) {
    TBitmap Scratch;
    const TBitmap& B = As24Bit(Bitmap, Scratch);
    const std::string Header = "P6\n" + std::to_string(B.Width()) + " " + std::to_string(B.Height()) + "\n255\n";
    std::vector<std::uint8_t> Out(Header.begin(), Header.end());
    Out.reserve(Out.size() + std::size_t(B.Width()) * std::size_t(B.Height()) * 3);
    for (int Y = 0; Y < B.Height(); ++Y) {
        const std::uint8_t* Row = B.ScanLine(Y);
        for (int X = 0; X < B.Width(); ++X) Out.insert(Out.end(), {Row[3 * X + 2], Row[3 * X + 1], Row[3 * X]});
    }
    return Out;
}
