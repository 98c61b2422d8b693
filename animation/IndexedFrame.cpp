#include "IndexedFrame.h"

#include <algorithm>
#include <libimagequant.h>
#include <memory>

#include "DistinctColours.h"
#include "Exception.h"

namespace {

constexpr std::size_t MaxColours = 256;

struct TLiqDelete {
    void operator()(liq_attr* A) const { liq_attr_destroy(A); }
    void operator()(liq_image* I) const { liq_image_destroy(I); }
    void operator()(liq_result* R) const { liq_result_destroy(R); }
};

[[noreturn]] void QuantiserFailed() { throw Exception("Farben des Bildes können nicht verringert werden"); }

TIndexedFrame Quantised(const TBitmap& Frame) {
    const int W = Frame.Width(), H = Frame.Height();
    std::vector<std::uint8_t> Rgba(std::size_t(W) * std::size_t(H) * 4);
    std::uint8_t* Out = Rgba.data();
    for (int Y = 0; Y < H; ++Y) {
        const std::uint8_t* Row = Frame.ScanLine(Y);
        for (int X = 0; X < W; ++X, Row += 3, Out += 4) {
            Out[0] = Row[2], Out[1] = Row[1], Out[2] = Row[0], Out[3] = 255;
        }
    }
    const std::unique_ptr<liq_attr, TLiqDelete> Attributes(liq_attr_create());
    if (!Attributes) QuantiserFailed();
    liq_set_max_colors(Attributes.get(), int(MaxColours));
    liq_set_speed(Attributes.get(), 10);  // the fastest: a frame shows for a moment only
    const std::unique_ptr<liq_image, TLiqDelete> Image(liq_image_create_rgba(Attributes.get(), Rgba.data(), W, H, 0));
    liq_result* Raw = nullptr;
    if (!Image || liq_image_quantize(Image.get(), Attributes.get(), &Raw) != LIQ_OK || !Raw) QuantiserFailed();
    const std::unique_ptr<liq_result, TLiqDelete> Result(Raw);
    liq_set_dithering_level(Result.get(), 0);
    TIndexedFrame Indexed;
    Indexed.Pixels.resize(std::size_t(W) * std::size_t(H));
    if (liq_write_remapped_image(Result.get(), Image.get(), Indexed.Pixels.data(), Indexed.Pixels.size()) != LIQ_OK) QuantiserFailed();
    const liq_palette* Palette = liq_get_palette(Result.get());
    for (unsigned I = 0; I < Palette->count; ++I)
        Indexed.Palette.push_back(PackColor(Palette->entries[I].r, Palette->entries[I].g, Palette->entries[I].b));
    if (Indexed.Palette.empty()) Indexed.Palette.push_back(0);
    return Indexed;
}

}  // namespace

TIndexedFrame IndexFrame(const TBitmap& Frame) {
    TDistinctColours Distinct;
    Distinct.Count(Frame);
    if (Distinct.Colours().size() > MaxColours) return Quantised(Frame);
    // The frame with its own colours.
    TIndexedFrame Result;
    Result.Palette = Distinct.Colours();
    const std::vector<std::uint32_t>& Numbers = Distinct.PixelColours();
    Result.Pixels.resize(Numbers.size());
    std::transform(Numbers.begin(), Numbers.end(), Result.Pixels.begin(), [](std::uint32_t Number) { return std::uint8_t(Number); });
    if (Result.Palette.empty()) Result.Palette.push_back(0);
    return Result;
}
