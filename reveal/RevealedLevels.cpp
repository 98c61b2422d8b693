#include "RevealedLevels.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

TBitmap GreyPicture(const TDisparityMap& Map, auto LevelOf) {
    TBitmap Out(Map.Width, Map.Height, pf24bit);
    for (int Y = 0; Y < Map.Height; ++Y) {
        std::uint8_t* Row = Out.ScanLine(Y);
        for (int X = 0; X < Map.Width; ++X) {
            const auto Level = std::uint8_t(std::clamp<long>(std::lround(LevelOf(Map.At(X, Y))), 0, 255));
            Row[3 * X] = Row[3 * X + 1] = Row[3 * X + 2] = Level;
        }
    }
    return Out;
}

}  // namespace

TBitmap LevelsOfGeometry(const TDisparityMap& Map, const TRevealGeometry& Geometry) {
    // Middle level drawn with each separation (in samples) the table holds; the table falls
    // from far to near.
    const auto [Low, High] = std::minmax_element(Geometry.Separations.begin(), Geometry.Separations.end());
    std::vector<double> Sum(std::size_t(*High - *Low + 1)), Count(Sum.size());
    for (int Level = 0; Level < 256; ++Level) {
        const std::size_t I = std::size_t(Geometry.Separations[std::size_t(Level)] - *Low);
        Sum[I] += Level;
        Count[I] += 1;
    }
    // Separations no level has take the level between their neighbours.
    std::vector<std::pair<double, double>> Known;  // separation, level
    for (std::size_t I = 0; I < Sum.size(); ++I)
        if (Count[I] > 0) Known.emplace_back(double(*Low) + double(I), Sum[I] / Count[I]);
    const auto LevelOfSamples = [&](double S) {
        if (S <= Known.front().first) return Known.front().second;
        if (S >= Known.back().first) return Known.back().second;
        const auto Upper = std::lower_bound(Known.begin(), Known.end(), S, [](const auto& K, double V) { return K.first < V; });
        const auto Lower = Upper - 1;
        const double T = (S - Lower->first) / (Upper->first - Lower->first);
        return Lower->second + (Upper->second - Lower->second) * T;
    };
    const int V = std::max(1, Geometry.Oversampling);
    return GreyPicture(Map, [&](float D) {
        // Random dots and unblurred textures are drawn at whole samples.
        const double Drawn = LevelOfSamples(std::round(double(D) * V));
        return Geometry.CrossEyed ? 255 - Drawn : Drawn;
    });
}

TBitmap RelativeLevels(const TDisparityMap& Map, double Far, double Near) {
    // Depth behind the picture from a separation, in units of the viewing distance, taking
    // the deepest plane as deep as the viewer is distant (its separation is then half the
    // eyes' distance): levels are spaced evenly in depth, as most makers space them. For
    // crossed eyes the deepest plane drawn is the near one.
    const double Eyes = 2 * std::max(Far, Near);
    const auto Depth = [Eyes](double S) { return S / std::max(1e-6, Eyes - S); };
    const double FarDepth = Depth(Far), Span = Depth(Near) - FarDepth;
    return GreyPicture(Map, [&](float D) {
        return Span == 0 ? 0.0 : 255 * (Depth(std::clamp(double(D), std::min(Far, Near), std::max(Far, Near))) - FarDepth) / Span;
    });
}
