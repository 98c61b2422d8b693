#include "Reveal.h"

#include <algorithm>
#include <cmath>

#include "RepeatSearch.h"
#include "RevealFailure.h"
#include "RevealPicture.h"
#include "RevealedLevels.h"
#include "SemiGlobalMatcher.h"

namespace {

// Cost entries matched at once: bounds the memory (two bytes each, twice); larger
// pictures are matched at a reduced size and their separations scaled up.
constexpr std::int64_t kMaxVolume = 24'000'000;
constexpr double kRangeOutliers = 0.005;  // of the pixels, ignored at each end of the depth range
constexpr int kRangeMargin = 1;           // pixels searched beyond the separations expected

int ReductionFor(int Width, int Height, int Separations) {
    int Factor = 1;
    while (std::int64_t(Width / Factor) * (Height / Factor) * (Separations / Factor + 1) > kMaxVolume) ++Factor;
    return Factor;
}

// The separations at the ends of the revealed range, the few outliers left out, from the
// matched pixels at least Margin from the left and right edges, where every pair fits.
std::pair<double, double> RangeOf(const TDisparityMap& Map, int Margin) {
    std::vector<float> Sorted;
    for (int Y = 0; Y < Map.Height; ++Y)
        for (int X = Margin; X < Map.Width - Margin; ++X)
            if (Map.Matched[std::size_t(Y) * std::size_t(Map.Width) + std::size_t(X)]) Sorted.push_back(Map.At(X, Y));
    if (Sorted.empty()) Sorted = Map.Disparity;
    const auto At = [&](double Share) {
        const auto I = std::ptrdiff_t(std::clamp<double>(Share * double(Sorted.size()), 0, double(Sorted.size() - 1)));
        std::nth_element(Sorted.begin(), Sorted.begin() + I, Sorted.end());
        return double(Sorted[std::size_t(I)]);
    };
    return {At(kRangeOutliers), At(1 - kRangeOutliers)};
}

double MatchedShare(const TDisparityMap& Map) {
    const auto Matched = std::count(Map.Matched.begin(), Map.Matched.end(), std::uint8_t(1));
    return Map.Matched.empty() ? 0 : double(Matched) / double(Map.Matched.size());
}

}  // namespace

TRevealResult Reveal(const TBitmap& Stereogram, const TRevealSettings& Settings) {
    const TRevealPicture Picture = RevealPictureOf(Stereogram);
    using TKind = TRevealFailure::TKind;
    int Smallest = 0, Largest = 0;
    if (Settings.Geometry) {
        const auto [Low, High] = std::minmax_element(Settings.Geometry->Separations.begin(), Settings.Geometry->Separations.end());
        const int V = std::max(1, Settings.Geometry->Oversampling);
        Smallest = std::max(1, *Low / V - kRangeMargin);
        Largest = (*High + V - 1) / V + kRangeMargin;
        if (Picture.Width < 2 * (*High / V) || Picture.Height < 1)
            throw TRevealFailure(TKind::NarrowerThanTwoRepeats, Picture.Width, *Low / V, *High / V, 0);
    } else {
        // The search reads a few rows only, and small near surfaces may escape it: the
        // matching looks beyond what it found on the near side, down to 5/8 of the far
        // separation (the far plane, as a rule the largest part of the picture, is found
        // well), yet never as far as twice a separation, whose repeats would match as well.
        const TRepeatRange Range = FindRepeatRange(Picture, Settings.Threads);
        if (Settings.CrossEyed) {
            Smallest = std::max(1, Range.Smallest - kRangeMargin);
            Largest = std::min({Picture.Width / 2, 2 * Smallest - 1, std::max(Range.Largest + kRangeMargin, Smallest * 8 / 5)});
        } else {
            Largest = std::min({Picture.Width / 2, Range.Largest + kRangeMargin, 2 * Range.Smallest - 1});
            Smallest = std::max({1, Largest / 2 + 1, std::min(Range.Smallest - kRangeMargin, Largest * 5 / 8)});
        }
    }
    const int Factor = ReductionFor(Picture.Width, Picture.Height, Largest - Smallest + 1);
    const TRevealPicture Matched = Downscaled(Picture, Factor);
    TDisparityMap Map = MatchDisparities(Matched, std::max(1, Smallest / Factor), std::max(1, (Largest + Factor - 1) / Factor),
                                         Settings.Threads);
    const double Confidence = MatchedShare(Map);
    const bool CrossEyed = Settings.Geometry ? Settings.Geometry->CrossEyed : Settings.CrossEyed;
    const auto [Low, High] = RangeOf(Map, std::max(1, Largest / Factor));
    FillUnmatched(Map, !CrossEyed);
    if (Factor > 1) Map = Enlarged(Map, Factor, Picture.Width, Picture.Height);

    TRevealResult Result;
    Result.Confidence = Confidence;
    Result.FarRepeat = (CrossEyed ? Low : High) * Factor;
    Result.NearRepeat = (CrossEyed ? High : Low) * Factor;
    Result.Depth = Settings.Geometry ? LevelsOfGeometry(Map, *Settings.Geometry) : RelativeLevels(Map, Result.FarRepeat, Result.NearRepeat);
    return Result;
}
