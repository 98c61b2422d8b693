#include "DraftDepth.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// For each of Length target positions along an axis of SourceLength pixels enlarged about
// twice: the source pixel it lies on, and the neighbour on its side.
struct TNeighbours {
    std::vector<int> On, Beside;
    TNeighbours(int SourceLength, int Length) {
        for (int T = 0; T < Length; ++T) {
            On.push_back(std::min(T / 2, SourceLength - 1));
            Beside.push_back(std::clamp(T % 2 ? On.back() + 1 : On.back() - 1, 0, SourceLength - 1));
        }
    }
};

// Three quarters of the pixel a target lies on and a quarter of its neighbour, rounded.
std::uint8_t Blend(int On, int Beside) { return std::uint8_t((3 * On + Beside + 2) / 4); }

TGreyPlane Enlarged(const TGreyPlane& Half, int Width, int Height) {
    const TNeighbours Across(Half.Width, Width), Down(Half.Height, Height);
    TGreyPlane Wide(Width, Half.Height);
    for (int Y = 0; Y < Half.Height; ++Y) {
        const std::uint8_t* Source = Half.Row(Y);
        std::uint8_t* Target = Wide.Row(Y);
        for (int X = 0; X < Width; ++X) Target[X] = Blend(Source[Across.On[std::size_t(X)]], Source[Across.Beside[std::size_t(X)]]);
    }
    TGreyPlane Result(Width, Height);
    for (int Y = 0; Y < Height; ++Y) {
        const std::uint8_t* On = Wide.Row(Down.On[std::size_t(Y)]);
        const std::uint8_t* Beside = Wide.Row(Down.Beside[std::size_t(Y)]);
        std::uint8_t* Target = Result.Row(Y);
        for (int X = 0; X < Width; ++X) Target[X] = Blend(On[X], Beside[X]);
    }
    return Result;
}

}  // namespace

TGreyPlane RenderDraftDepth(TMeshRasterizer& Rasterizer, const TMesh& Draft, int Width, int Height, const TModelView& View) {
    return Enlarged(Rasterizer.Render(Draft, Width / 2, Height / 2, View), Width, Height);
}
