#include "IndexedFrame.h"

#include <algorithm>
#include <libimagequant.h>
#include <memory>
#include <numeric>
#include <omp.h>

#include "Bitmap24.h"
#include "DistinctColours.h"
#include "Exception.h"

namespace {

constexpr std::size_t MaxColours = 256;
// Up to this many colours go to the quantiser's histogram one by one. Above, colours that
// differ only in their lowest MergedBits bits of each channel share one entry, at their mean:
// the palette of a frame of many colours takes half the time to find, and fits it nearly as
// closely.
constexpr std::size_t MergeAbove = 16 * MaxColours;
constexpr int MergedBits = 2, CellBits = 8 - MergedBits;
constexpr std::size_t Cells = std::size_t(1) << 3 * CellBits;
// The distinct colours go to the quantiser in rows of this many, as it limits the width of a
// picture.
constexpr std::size_t RemapRowWidth = 1024;

std::uint32_t CellOf(TColor32 Colour) {
    return std::uint32_t(RedOf(Colour) >> MergedBits) << 2 * CellBits | std::uint32_t(GreenOf(Colour) >> MergedBits) << CellBits |
           std::uint32_t(BlueOf(Colour) >> MergedBits);
}

struct TLiqDelete {
    void operator()(liq_attr* A) const { liq_attr_destroy(A); }
    void operator()(liq_histogram* H) const { liq_histogram_destroy(H); }
    void operator()(liq_image* I) const { liq_image_destroy(I); }
    void operator()(liq_result* R) const { liq_result_destroy(R); }
};

[[noreturn]] void QuantiserFailed() { throw Exception("Farben des Bildes können nicht verringert werden"); }

// The colours of one histogram entry: their sums weighted by pixels.
struct TEntrySum {
    std::uint64_t Red = 0, Green = 0, Blue = 0, Pixels = 0;
};

std::uint8_t Mean(std::uint64_t Sum, std::uint64_t Pixels) { return std::uint8_t((Sum + Pixels / 2) / Pixels); }

// The quantiser's histogram: one entry for Distinct's colours of each key, at their mean by
// pixels. A colour's key is its own number up to MergeAbove colours, else its cell.
std::vector<liq_histogram_entry> HistogramEntries(const TDistinctColours& Distinct) {
    const std::vector<TColor32>& Colours = Distinct.Colours();
    const std::vector<std::uint32_t>& Counts = Distinct.Counts();
    const bool Merge = Colours.size() > MergeAbove;
    std::vector<std::uint32_t> KeyEntries(Merge ? Cells : Colours.size());  // entry number + 1, or 0
    std::vector<TEntrySum> Sums;
    for (std::size_t I = 0; I < Colours.size(); ++I) {
        const TColor32 Colour = Colours[I];
        std::uint32_t& Entry = KeyEntries[Merge ? CellOf(Colour) : I];
        if (Entry == 0) {
            Sums.emplace_back();
            Entry = std::uint32_t(Sums.size());
        }
        TEntrySum& Sum = Sums[Entry - 1];
        Sum.Red += std::uint64_t(RedOf(Colour)) * Counts[I];
        Sum.Green += std::uint64_t(GreenOf(Colour)) * Counts[I];
        Sum.Blue += std::uint64_t(BlueOf(Colour)) * Counts[I];
        Sum.Pixels += Counts[I];
    }
    std::vector<liq_histogram_entry> Entries;
    Entries.reserve(Sums.size());
    for (const TEntrySum& Sum : Sums)
        Entries.push_back({{Mean(Sum.Red, Sum.Pixels), Mean(Sum.Green, Sum.Pixels), Mean(Sum.Blue, Sum.Pixels), 255}, unsigned(Sum.Pixels)});
    return Entries;
}

// Frame's palette from a histogram of Distinct's colours, and the palette index of each of
// them: their nearest, found by the quantiser in a picture of the colours whose last row is
// filled up with the last colour.
std::vector<std::uint8_t> Quantise(const TDistinctColours& Distinct, std::vector<TColor32>& Palette) {
    const std::unique_ptr<liq_attr, TLiqDelete> Attributes(liq_attr_create());
    if (!Attributes) QuantiserFailed();
    liq_set_max_colors(Attributes.get(), int(MaxColours));
    liq_set_speed(Attributes.get(), 10);  // the fastest: a frame shows for a moment only
    const std::vector<liq_histogram_entry> Entries = HistogramEntries(Distinct);
    const std::unique_ptr<liq_histogram, TLiqDelete> Histogram(liq_histogram_create(Attributes.get()));
    liq_result* Raw = nullptr;
    if (!Histogram || liq_histogram_add_colors(Histogram.get(), Attributes.get(), Entries.data(), int(Entries.size()), 0) != LIQ_OK ||
        liq_histogram_quantize(Histogram.get(), Attributes.get(), &Raw) != LIQ_OK || !Raw)
        QuantiserFailed();
    const std::unique_ptr<liq_result, TLiqDelete> Result(Raw);
    liq_set_dithering_level(Result.get(), 0);

    const std::vector<TColor32>& Colours = Distinct.Colours();
    const std::size_t Width = std::min(Colours.size(), RemapRowWidth), Height = (Colours.size() + Width - 1) / Width;
    std::vector<std::uint8_t> Rgba(Width * Height * 4);
    for (std::size_t I = 0; I < Width * Height; ++I) {
        const TColor32 Colour = Colours[std::min(I, Colours.size() - 1)];
        std::uint8_t* Out = &Rgba[4 * I];
        Out[0] = RedOf(Colour), Out[1] = GreenOf(Colour), Out[2] = BlueOf(Colour), Out[3] = 255;
    }
    const std::unique_ptr<liq_image, TLiqDelete> Image(liq_image_create_rgba(Attributes.get(), Rgba.data(), int(Width), int(Height), 0));
    std::vector<std::uint8_t> ColourIndex(Width * Height);
    // Frames are indexed several at once already: threads of the remap's own would only spin
    // waiting for a core.
    omp_set_num_threads(1);
    if (!Image || liq_write_remapped_image(Result.get(), Image.get(), ColourIndex.data(), ColourIndex.size()) != LIQ_OK) QuantiserFailed();
    const liq_palette* Quantised = liq_get_palette(Result.get());
    for (unsigned I = 0; I < Quantised->count; ++I)
        Palette.push_back(PackColor(Quantised->entries[I].r, Quantised->entries[I].g, Quantised->entries[I].b));
    return ColourIndex;
}

}  // namespace

TIndexedFrame IndexFrame(const TBitmap& Frame) {
    TBitmap Scratch;
    TDistinctColours Distinct;
    Distinct.Count(As24Bit(Frame, Scratch));
    const std::vector<TColor32>& Colours = Distinct.Colours();
    TIndexedFrame Result;
    std::vector<std::uint8_t> ColourIndex;
    if (Colours.size() <= MaxColours) {
        Result.Palette = Colours;
        ColourIndex.resize(Colours.size());
        std::iota(ColourIndex.begin(), ColourIndex.end(), std::uint8_t(0));
    } else ColourIndex = Quantise(Distinct, Result.Palette);
    const std::vector<std::uint32_t>& Numbers = Distinct.PixelColours();
    Result.Pixels.resize(Numbers.size());
    std::transform(Numbers.begin(), Numbers.end(), Result.Pixels.begin(), [&](std::uint32_t Number) { return ColourIndex[Number]; });
    if (Result.Palette.empty()) Result.Palette.push_back(0);
    return Result;
}
