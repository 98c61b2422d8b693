#include "RepeatSearch.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <mutex>

#include "ChannelRow.h"
#include "ParallelBands.h"
#include "RevealFailure.h"

namespace {

constexpr int kRowsRead = 16;
// Pictures wider than this are searched at a reduced size.
constexpr int kWidestSearched = 2048;
// The window matched: 9 pixels of the row and of the rows above and below, enough that
// random dots rarely match by chance.
constexpr int kHalfWindow = 4, kHalfHeight = 1;
constexpr int kBlock = 16;      // shifts worked out before their costs are laid out pixel by pixel
constexpr int kCostCap = 96;    // larger colour differences count as this: texture edges do not swamp the window
// A match stands out when its cost is below this share of the mean cost over all shifts …
constexpr double kStandOutShare = 0.35;
// … and below the costs two shifts to either side by this share of the difference to the mean.
constexpr double kValleyShare = 0.2;
// … and below this share of the best cost at any shift that is no repeat of it.
constexpr double kUniqueShare = 0.5;
// A part of the best shift counts as its repeat when it costs at most this share more.
constexpr double kRepeatShare = 0.15;
constexpr double kLeastConfidence = 0.12;
constexpr double kOutlierShare = 0.01;  // of the matches, left out of the range
constexpr double kBandShare = 0.9;      // of the matches in the fullest band
// A shift's repeat counts for it when the shift has at least this share of the repeat's matches.
constexpr double kPartShare = 0.2;

// Over the shifts, for every pixel of a row: the sum and the number of the costs of the
// windows inside the row, and the first least one, worked out a shift at a time across the
// row. A window inside the row at a shift is inside it at every smaller one.
struct TShiftSums {
    std::vector<int> Total, Count, BestCost, BestShift;

    explicit TShiftSums(int Width)
        : Total(std::size_t(Width)), Count(Total), BestCost(std::size_t(Width), 1 << 30), BestShift(std::size_t(Width), -1) {}

    // Costs: the windows' costs at shift Smallest + Index, −1 where a window leaves the row.
    void Add(const int* __restrict Costs, int Index) {
        int* __restrict Sum = Total.data();
        int* __restrict Number = Count.data();
        int* __restrict Least = BestCost.data();
        int* __restrict At = BestShift.data();
        const std::size_t Width = Total.size();
        for (std::size_t X = 0; X < Width; ++X) {
            const int Cost = Costs[X];
            const int Inside = Cost >= 0, Better = Inside & (Cost < Least[X]);
            Sum[X] += Inside ? Cost : 0;
            Number[X] += Inside;
            Least[X] = Better ? Cost : Least[X];
            At[X] = Better ? Index : At[X];
        }
    }
};

// Best matching shift of every pixel of row Y whose match stands out; the others get 0.
void BestShiftsOfRow(const TRevealPicture& Picture, int Y, int Smallest, int Largest, std::vector<int>& Costs, std::vector<int>& Best) {
    const int Width = Picture.Width;
    const int Top = std::max(0, Y - kHalfHeight), Bottom = std::min(Picture.Height - 1, Y + kHalfHeight);
    std::array<TChannelRow, 2 * kHalfHeight + 1> Rows;
    for (int R = Top; R <= Bottom; ++R) Rows[std::size_t(R - Top)].Take(Picture.Row(R), Width);
    std::vector<std::uint16_t> PairCosts(static_cast<std::size_t>(Width));
    const int Shifts = Largest - Smallest + 1;
    // Costs[X × Shifts + S − Smallest]: the window centred on X against the one S to the
    // right, or −1 where a window leaves the row. Worked out one shift at a time, where the
    // pixels compared lie side by side, then laid out pixel by pixel in blocks.
    std::vector<int> Column(static_cast<std::size_t>(Width)), Prefix(static_cast<std::size_t>(Width) + 1);
    std::vector<int> ByShift(std::size_t(kBlock) * std::size_t(Width));
    TShiftSums Sums(Width);
    for (int First = Smallest; First <= Largest; First += kBlock) {
        const int Last = std::min(Largest, First + kBlock - 1);
        for (int S = First; S <= Last; ++S) {
            const int Span = Width - S;
            std::fill(Column.begin(), Column.end(), 0);
            for (int R = Top; R <= Bottom; ++R) {
                Rows[std::size_t(R - Top)].PairCosts(0, S, Span, kCostCap, PairCosts.data());
                int* __restrict Sum = Column.data();
                const std::uint16_t* __restrict Pair = PairCosts.data();
                for (int X = 0; X < Span; ++X) Sum[X] += Pair[X];
            }
            for (int X = 0; X < Span; ++X) Prefix[std::size_t(X) + 1] = Prefix[std::size_t(X)] + Column[std::size_t(X)];
            int* Window = ByShift.data() + std::size_t(S - First) * std::size_t(Width);
            // Windows inside the row: kHalfWindow ≤ X < Span − kHalfWindow.
            const int Begin = std::min(kHalfWindow, Width), End = std::max(Begin, Span - kHalfWindow);
            std::fill(Window, Window + Begin, -1);
            const int* __restrict Ahead = Prefix.data() + kHalfWindow + 1;
            const int* __restrict Behind = Prefix.data();
            for (int X = Begin; X < End; ++X) Window[X] = Ahead[X] - Behind[X - kHalfWindow];
            std::fill(Window + End, Window + Width, -1);
            Sums.Add(Window, S - Smallest);
        }
        for (int X = 0; X < Width; ++X)
            for (int S = First; S <= Last; ++S)
                Costs[std::size_t(X) * Shifts + std::size_t(S - Smallest)] = ByShift[std::size_t(S - First) * std::size_t(Width) + std::size_t(X)];
    }
    for (int X = 0; X < Width; ++X) {
        Best[std::size_t(X)] = 0;
        const int* C = Costs.data() + std::size_t(X) * Shifts;
        const int Count = Sums.Count[std::size_t(X)];
        int BestCost = Sums.BestCost[std::size_t(X)], BestShift = Sums.BestShift[std::size_t(X)];
        const double Mean = double(Sums.Total[std::size_t(X)]) / Count;
        // A surface that repeats every S pixels also matches at 2S and 3S; its repeat is the
        // shortest of these that matches about as well.
        for (int Times = 3; Times >= 2; --Times) {
            const int Part = (Smallest + BestShift + Times / 2) / Times - Smallest;
            for (int I = std::max(0, Part - 1); I <= std::min(Count - 1, Part + 1); ++I)
                if (I < BestShift && C[I] <= BestCost + kRepeatShare * (Mean - BestCost)) BestShift = I, BestCost = C[I];
        }
        if (Count < 5 || BestShift < 2 || BestShift + 2 >= Count) continue;  // no valley: at an end of the shifts
        const double Margin = kValleyShare * (Mean - BestCost);
        if (BestCost > kStandOutShare * Mean || Mean <= 0) continue;
        if (C[BestShift - 2] < BestCost + Margin || C[BestShift + 2] < BestCost + Margin) continue;
        // The match must be the only good one, apart from repeats of the same shift.
        const int Shift = Smallest + BestShift;
        int Second = 1 << 30;
        for (int I = 0, Off = Smallest % Shift; I < Count; ++I, Off = Off + 1 == Shift ? 0 : Off + 1)
            if (std::min(Off, Shift - Off) > 2) Second = std::min(Second, C[I]);
        if (!(BestCost < kUniqueShare * Second)) continue;
        Best[std::size_t(X)] = Smallest + BestShift;
    }
}

// Matches at twice or three times a shift that has matches of its own (a few, as the
// repeats may outnumber them) are that shift's repeats: they count for it. From the
// largest shift down, so that a repeat of a repeat ends at the shift it repeats.
void FoldRepeats(std::vector<int>& Histogram, int Smallest) {
    const int Largest = int(Histogram.size()) - 1;
    for (int S = Largest; S >= 2 * Smallest; --S) {
        if (Histogram[std::size_t(S)] == 0) continue;
        for (int Times = 2; Times <= 3; ++Times) {
            const int Part = (S + Times / 2) / Times;
            if (Part - 1 < Smallest) break;
            const int* Around = Histogram.data() + Part - 1;
            const int Support = Around[0] + Around[1] + Around[2];
            if (Support < kPartShare * Histogram[std::size_t(S)]) continue;
            Histogram[std::size_t(Part - 1 + int(std::max_element(Around, Around + 3) - Around))] += Histogram[std::size_t(S)];
            Histogram[std::size_t(S)] = 0;
            break;
        }
    }
}

}  // namespace

namespace {

TRepeatRange FindInPicture(const TRevealPicture& Picture, int Threads) {
    const int Smallest = SmallestRepeatLookedFor, Largest = Picture.Width / 2;
    const int Rows = std::min(Picture.Height, kRowsRead);
    using TKind = TRevealFailure::TKind;
    if (Largest < Smallest || Rows < 1) throw TRevealFailure(TKind::NarrowerThanTwoRepeats, Picture.Width, Smallest, Smallest, Rows);

    std::vector<int> Histogram(std::size_t(Largest + 1));
    std::mutex HistogramLock;
    long Read = 0;
    ForEachBand(Rows, Threads, [&](int Begin, int End) {
        std::vector<int> Costs(std::size_t(Picture.Width) * std::size_t(Largest - Smallest + 1));
        std::vector<int> Best(std::size_t(Picture.Width));
        std::vector<int> Local(Histogram.size());
        long LocalRead = 0;
        for (int I = Begin; I < End; ++I) {
            const int Y = int((std::int64_t(I) * 2 + 1) * Picture.Height / (2 * Rows));
            BestShiftsOfRow(Picture, Y, Smallest, Largest, Costs, Best);
            // Pixels whose every shift reaches past the edge are not counted as read.
            for (int X = 0; X + Smallest < Picture.Width; ++X) {
                ++LocalRead;
                if (Best[std::size_t(X)] > 0) ++Local[std::size_t(Best[std::size_t(X)])];
            }
        }
        const std::lock_guard Lock(HistogramLock);
        for (std::size_t S = 0; S < Histogram.size(); ++S) Histogram[S] += Local[S];
        Read += LocalRead;
    });

    long Matched = 0;
    for (int Count : Histogram) Matched += Count;
    const double Confidence = Read > 0 ? double(Matched) / double(Read) : 0;
    if (Confidence < kLeastConfidence) throw TRevealFailure(TKind::NoRepeatingPattern, Picture.Width, Smallest, Largest, Rows);
    // The separations of one picture lie within less than a factor two of each other, in a
    // band of shifts from Low to 2 Low − 1; outside it lie repeats of its separations (twice,
    // three times) and chance matches. Repeats lie above the band, and those of a large near
    // surface can outnumber the farthest parts: of the bands holding nearly as many matches
    // as the fullest, the lowest is the picture's. Within it, the shortest run of shifts
    // that holds all but a few of its matches.
    FoldRepeats(Histogram, Smallest);
    std::vector<long> Below(Histogram.size() + 1);  // matches at shifts below S
    for (std::size_t S = 0; S < Histogram.size(); ++S) Below[S + 1] = Below[S] + Histogram[S];
    const auto BandHighOf = [&](int Low) { return std::min(Largest, 2 * Low - 1); };
    const auto CountOf = [&](int Low) { return Below[std::size_t(BandHighOf(Low)) + 1] - Below[std::size_t(Low)]; };
    long Fullest = 0;
    for (int Low = Smallest; Low <= Largest; ++Low) Fullest = std::max(Fullest, CountOf(Low));
    int BandLow = Smallest;
    while (double(CountOf(BandLow)) < kBandShare * double(Fullest)) ++BandLow;
    const int BandHigh = BandHighOf(BandLow);
    const long BandCount = CountOf(BandLow);
    const auto Wanted = long(std::ceil(double(BandCount) * (1 - kOutlierShare)));
    TRepeatRange Range{BandLow, BandHigh, Confidence};
    long Inside = 0;
    for (int Low = BandLow, High = BandLow; High <= BandHigh; ++High) {
        Inside += Histogram[std::size_t(High)];
        while (Inside - Histogram[std::size_t(Low)] >= Wanted) Inside -= Histogram[std::size_t(Low++)];
        if (Inside >= Wanted && High - Low < Range.Largest - Range.Smallest) Range.Smallest = Low, Range.Largest = High;
    }
    return Range;
}

}  // namespace

TRepeatRange FindRepeatRange(const TRevealPicture& Picture, int Threads) {
    // The costs of a row take its width times half its width: a wide picture is searched at
    // a reduced width, its repeats scaled back.
    const int Factor = (Picture.Width + kWidestSearched - 1) / std::max(1, kWidestSearched);
    if (Factor <= 1) return FindInPicture(Picture, Threads);
    try {
        TRepeatRange Range = FindInPicture(Downscaled(Picture, Factor), Threads);
        Range.Smallest *= Factor;
        Range.Largest *= Factor;
        return Range;
    } catch (TRevealFailure& F) {
        F.Width = Picture.Width;
        F.SmallestRepeat *= Factor;
        F.LargestRepeat *= Factor;
        throw;
    }
}
