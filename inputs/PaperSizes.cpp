#include "PaperSizes.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

namespace {

constexpr double MmPerInch = 25.4;

constexpr std::array Papers{
    TPaper{"A5", 148, 210}, TPaper{"A4", 210, 297},       TPaper{"A3", 297, 420},
    TPaper{"A2", 420, 594}, TPaper{"letter", 215.9, 279.4}, TPaper{"legal", 215.9, 355.6},
};

bool SameLetters(std::string_view A, std::string_view B) {
    return std::ranges::equal(A, B, [](char X, char Y) { return std::tolower(static_cast<unsigned char>(X)) == std::tolower(static_cast<unsigned char>(Y)); });
}

}  // namespace

std::optional<TPaper> PaperOfName(std::string_view Name) {
    const auto Found = std::ranges::find_if(Papers, [&](const TPaper& P) { return SameLetters(P.Name, Name); });
    if (Found == Papers.end()) return std::nullopt;
    return *Found;
}

std::string PaperNames() {
    std::string Names;
    for (const TPaper& P : Papers) Names += (Names.empty() ? "" : ", ") + std::string(P.Name);
    return Names;
}

int PaperPixels(double Millimetres, int Dpi) { return int(std::lround(Millimetres * Dpi / MmPerInch)); }

void SetPaper(TStereogram& Stereogram, const TPaper& Paper) {
    Stereogram.SetSizeLimit(slLarge);
    Stereogram.SetWidth(PaperPixels(Paper.WidthMm, Stereogram.DPI()));
    Stereogram.SetHeight(PaperPixels(Paper.HeightMm, Stereogram.DPI()));
}

void SetLandscape(TStereogram& Stereogram) {
    const int Width = Stereogram.Width(), Height = Stereogram.Height();
    if (Height <= Width) return;
    Stereogram.SetWidth(Height);
    Stereogram.SetHeight(Width);
}
