#include "DepthRasterizer.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <limits>
#include <memory>
#include <span>
#include <thread>
#include <utility>

#include "MeshProjection.h"
#include "RasterScene.h"
#include "TriangleDrawing.h"

using namespace raster;

namespace {

// Bands are shared out among threads when there are at least this many per thread.
constexpr int MinBandsPerThread = 4;
// The side of the squares in which a band's farthest drawn nearness is kept, in samples.
constexpr int BlockSamples = 8;

// The nearness of the nearest and the farthest visible sample.
struct TNearness {
    float NearestQ = 0, FarthestQ = 3;

    void Join(const TNearness& Other) {
        NearestQ = std::max(NearestQ, Other.NearestQ);
        FarthestQ = std::min(FarthestQ, Other.FarthestQ);
    }
};

// Per pixel: how many of its samples show the model, and the sum of their distances; over
// the picture: the nearness of the nearest and the farthest visible sample.
struct TCoverage {
    std::vector<std::uint8_t> Count;
    std::vector<float> DistanceSum;
};

// Four samples side by side as four lanes of one sample each: lane k of the result J
// holds sample J of the group Groups[k].
void Transpose(const TFloatLanes (&Groups)[Lanes], TFloatLanes (&Across)[Lanes]) {
    const TFloatLanes Low01 = __builtin_shufflevector(Groups[0], Groups[1], 0, 4, 1, 5), High01 = __builtin_shufflevector(Groups[0], Groups[1], 2, 6, 3, 7);
    const TFloatLanes Low23 = __builtin_shufflevector(Groups[2], Groups[3], 0, 4, 1, 5), High23 = __builtin_shufflevector(Groups[2], Groups[3], 2, 6, 3, 7);
    Across[0] = __builtin_shufflevector(Low01, Low23, 0, 1, 4, 5);
    Across[1] = __builtin_shufflevector(Low01, Low23, 2, 3, 6, 7);
    Across[2] = __builtin_shufflevector(High01, High23, 0, 1, 4, 5);
    Across[3] = __builtin_shufflevector(High01, High23, 2, 3, 6, 7);
}

// The nearness of the nearest and the farthest visible sample in each lane.
struct TNearnessLanes {
    TFloatLanes NearestQ, FarthestQ;

    explicit TNearnessLanes(const TNearness& Seen) : NearestQ(TFloatLanes{} + Seen.NearestQ), FarthestQ(TFloatLanes{} + Seen.FarthestQ) {}
    void JoinInto(TNearness& Seen) const {
        for (int K = 0; K < Lanes; ++K) Seen.Join({NearestQ[K], FarthestQ[K]});
    }
};

// Four neighbouring pixels at once, one per lane: each lane takes its pixel's samples in
// the same order as a single pixel does, so the sums round alike. Pixels without a
// sample keep their zero count and sum.
template <bool Perspective>
void ResolvePixels(const float* Depth, const TScene& Scene, std::size_t Pixel, TCoverage& Coverage, TNearnessLanes& Seen) {
    static_assert(Samples == Lanes);
    TFloatLanes Rows[Samples][Lanes];
    TLanes Any{};
    for (int SY = 0; SY < Samples; ++SY) {
        std::memcpy(&Rows[SY], Depth + std::size_t(SY) * std::size_t(Scene.SampleWidth), sizeof Rows[SY]);
        for (const TFloatLanes& Group : Rows[SY]) Any |= Group != NoSurface;
    }
    if (!(Any[0] | Any[1] | Any[2] | Any[3])) return;
    TLanes Count{};
    TFloatLanes Sum{};
    for (int SY = 0; SY < Samples; ++SY) {
        TFloatLanes Q[Lanes];
        Transpose(Rows[SY], Q);
        for (int SX = 0; SX < Samples; ++SX) {
            const TLanes Covered = Q[SX] != NoSurface;
            Count -= Covered;
            Seen.NearestQ = Seen.NearestQ < Q[SX] ? Q[SX] : Seen.NearestQ;
            Seen.FarthestQ = Covered && Q[SX] < Seen.FarthestQ ? Q[SX] : Seen.FarthestQ;
            if constexpr (Perspective) Sum += Covered ? 1.0f / (Scene.InverseFar + (Q[SX] - 1.0f) * Scene.InverseSpan) : TFloatLanes{};
            else Sum += Q[SX];
        }
    }
    if constexpr (!Perspective) Sum = 2.0f * __builtin_convertvector(Count, TFloatLanes) - Sum;
    for (int K = 0; K < Lanes; ++K) {
        Coverage.Count[Pixel + std::size_t(K)] = std::uint8_t(Count[K]);
        Coverage.DistanceSum[Pixel + std::size_t(K)] = Sum[K];
    }
}

// Sample columns First … End − 1 of a band, First and End on a group of four pixels (or
// End at the band's end).
struct TColumns {
    int First = 0, End = 0;
};

// Sample columns First … Last, which the band's triangles reach, widened to groups of four
// pixels.
TColumns ColumnsReached(std::int32_t First, std::int32_t Last, const TScene& Scene) {
    constexpr int Group = Lanes * Samples;
    if (First > Last) return {};
    return {int(First / Group * Group), int(std::min<std::int64_t>(Scene.SampleWidth, (Last / Group + 1) * Group))};
}

// Pixels outside the columns drawn have no sample; they keep their zero count and sum. Each
// row of samples is cleared once resolved, while it is still in the cache.
template <bool Perspective>
void ResolveBand(float* Depth, int BandTop, const TScene& Scene, int Width, const TColumns& Drawn, TCoverage& Coverage, TNearness& Seen) {
    const int Rows = std::min(BandSampleRows, Scene.SampleHeight - BandTop) / Samples;
    for (int PixelRow = 0; PixelRow < Rows; ++PixelRow) {
        const std::size_t Pixel0 = std::size_t(BandTop / Samples + PixelRow) * std::size_t(Width);
        const int First = Drawn.First / Samples, End = Drawn.End / Samples;
        const int Grouped = std::min(End, Width / Lanes * Lanes);
        TNearnessLanes SeenInLanes(Seen);
        for (int PixelX = First; PixelX < Grouped; PixelX += Lanes)
            ResolvePixels<Perspective>(Depth + std::size_t(PixelRow * Samples) * std::size_t(Scene.SampleWidth) + std::size_t(PixelX * Samples), Scene,
                                       Pixel0 + std::size_t(PixelX), Coverage, SeenInLanes);
        SeenInLanes.JoinInto(Seen);
        for (int PixelX = std::max(First, Grouped); PixelX < End; ++PixelX) {
            int Count = 0;
            float Sum = 0, Nearest = Seen.NearestQ, Farthest = Seen.FarthestQ;
            for (int SY = 0; SY < Samples; ++SY) {
                const float* Sample = Depth + std::size_t(PixelRow * Samples + SY) * std::size_t(Scene.SampleWidth) + std::size_t(PixelX * Samples);
                for (int SX = 0; SX < Samples; ++SX) {
                    const float Q = Sample[SX];
                    const bool Covered = Q != NoSurface;
                    Count += Covered;
                    Nearest = std::max(Nearest, Q);
                    Farthest = std::min(Farthest, Covered ? Q : Farthest);
                    if constexpr (Perspective) Sum += Covered ? Scene.Distance(Q) : 0.0f;
                    else Sum += Q;
                }
            }
            // Orthographic: the distance 2 − Q of each covered sample, summed at once.
            if constexpr (!Perspective) Sum = 2.0f * float(Count) - Sum;
            Coverage.Count[Pixel0 + std::size_t(PixelX)] = std::uint8_t(Count);
            Coverage.DistanceSum[Pixel0 + std::size_t(PixelX)] = Sum;
            Seen.NearestQ = Nearest, Seen.FarthestQ = Farthest;
        }
        for (int SY = 0; SY < Samples; ++SY) {
            float* Line = Depth + std::size_t(PixelRow * Samples + SY) * std::size_t(Scene.SampleWidth);
            std::fill(Line + Drawn.First, Line + Drawn.End, NoSurface);
        }
    }
}

// Levels of Pixels from the per-pixel sums: the level is linear in the distance, so a pixel's mean
// level follows from its sample count and distance sum.
void Shade(const TCoverage& Coverage, const TNearness& Seen, const TScene& Scene, TRange Pixels, TGreyPlane& Plane) {
    const double Nearest = double(Scene.Distance(Seen.NearestQ)), Span = double(Scene.Distance(Seen.FarthestQ)) - Nearest;
    const double Fall = Span > 0 ? (NearestDepthLevel - FarthestDepthLevel) / Span : 0;
    for (std::size_t I = Pixels.First; I < Pixels.Last; ++I) {
        const int Count = Coverage.Count[I];
        if (Count == 0) continue;
        const double Beyond = double(Coverage.DistanceSum[I]) - Count * Nearest;
        const double Level = (Count * double(NearestDepthLevel) - Fall * Beyond) / SamplesPerPixel;
        // Clamped first, so that the rounding stays far inside its range.
        Plane.Levels[I] = std::uint8_t(std::clamp<std::int64_t>(Rounded(std::clamp(Level, -1.0, 256.0)), 0, 255));
    }
}

// What a band's triangles have in common: the sum of their first corners' nearness per
// group (turned towards the viewer, turned away) and the sample columns their boxes span.
struct TBandSummary {
    double Nearness[2] = {0, 0};
    std::int32_t Left = std::numeric_limits<std::int32_t>::max(), Right = std::numeric_limits<std::int32_t>::min();

    void Join(const TBandSummary& Other) {
        for (int G = 0; G < 2; ++G) Nearness[G] += Other.Nearness[G];
        Left = std::min(Left, Other.Left), Right = std::max(Right, Other.Right);
    }
};

// The drawable triangles by band and group: Triangles[Start[2 · B + G] …] are those of
// group G (0 turned towards the viewer, 1 turned away) reaching band B, each listed in
// every band it reaches. Triangles outside every sample are left out. The rest is the
// listing's own work: each triangle's reach, and the counts and summaries of each part.
struct TBandLists {
    TScratch<std::uint32_t> Triangles;
    TScratch<TTriangleBox> Boxes;  // one per mesh triangle, set for the listed ones
    std::vector<std::uint32_t> Start;
    std::vector<TBandSummary> Summary;  // one per band
    TScratch<std::uint32_t> Reach;
    std::vector<std::vector<std::uint32_t>> Counts;
    std::vector<std::vector<TBandSummary>> Summaries;
};

constexpr std::uint32_t Unseen = ~std::uint32_t(0);
constexpr std::uint32_t AwayBit = std::uint32_t(1) << 15;

// A triangle's first and last band and its group as First << 16 | Group << 15 | Last, or
// Unseen when it reaches no sample (bands are fewer than 2^15).
std::uint32_t BandsOf(const TScreenVertex& A, const TScreenVertex& B, const TScreenVertex& D, const TTriangleBox& Box) {
    if (Box.Y0 > Box.Y1 || Box.X0 > Box.X1) return Unseen;
    const bool Away = (std::int64_t(B.X) - A.X) * (std::int64_t(D.Y) - A.Y) < (std::int64_t(B.Y) - A.Y) * (std::int64_t(D.X) - A.X);
    return std::uint32_t(Box.Y0 / BandSampleRows) << 16 | (Away ? AwayBit : 0) | std::uint32_t(Box.Y1 / BandSampleRows);
}

// Counts per band, group and part, then each part places its triangles after those of the
// parts before it.
void ListByBand(const TMesh& Mesh, const TScene& Scene, int Bands, TBandLists& Lists) {
    const std::size_t Count = Mesh.Triangles.size(), Cells = 2 * std::size_t(Bands);
    const int Parts = PartsFor(Count, MinItemsPerThread, Scene.Threads);
    Lists.Reach.Ensure(Count);
    Lists.Boxes.Ensure(Count);
    Lists.Counts.resize(std::size_t(Parts));
    Lists.Summaries.resize(std::size_t(Parts));
    for (int Part = 0; Part < Parts; ++Part) {
        Lists.Counts[std::size_t(Part)].assign(Cells, 0);
        Lists.Summaries[std::size_t(Part)].assign(std::size_t(Bands), {});
    }
    InParts(Parts, [&](int Part) {
        const TRange Range = PartOf(Count, Part, Parts);
        std::vector<std::uint32_t>& Mine = Lists.Counts[std::size_t(Part)];
        std::vector<TBandSummary>& Summary = Lists.Summaries[std::size_t(Part)];
        for (std::size_t T = Range.First; T < Range.Last; ++T) {
            Lists.Reach[T] = Unseen;
            if (!Scene.Drawable[T]) continue;
            const auto& C = Mesh.Triangles[T];
            const TScreenVertex &A = Scene.Vertices[C[0]], &B = Scene.Vertices[C[1]], &D = Scene.Vertices[C[2]];
            const TTriangleBox& Box = Lists.Boxes[T] = BoxOf(A, B, D, Scene);
            const std::uint32_t R = Lists.Reach[T] = BandsOf(A, B, D, Box);
            if (R == Unseen) continue;
            const std::size_t Group = (R & AwayBit) != 0;
            for (std::uint32_t Band = R >> 16; Band <= (R & (AwayBit - 1)); ++Band) {
                ++Mine[2 * Band + Group];
                TBandSummary& S = Summary[Band];
                S.Nearness[Group] += double(A.Q);
                S.Left = std::min(S.Left, Box.X0), S.Right = std::max(S.Right, Box.X1);
            }
        }
    });
    Lists.Start.resize(Cells + 1);
    Lists.Summary.assign(std::size_t(Bands), {});
    std::uint32_t Total = 0;
    for (std::size_t Cell = 0; Cell < Cells; ++Cell) {
        Lists.Start[Cell] = Total;
        for (int Part = 0; Part < Parts; ++Part) Total += std::exchange(Lists.Counts[std::size_t(Part)][Cell], Total);
    }
    Lists.Start[Cells] = Total;
    for (int Part = 0; Part < Parts; ++Part)
        for (std::size_t Band = 0; Band < std::size_t(Bands); ++Band) Lists.Summary[Band].Join(Lists.Summaries[std::size_t(Part)][Band]);
    Lists.Triangles.Ensure(Total);
    InParts(Parts, [&](int Part) {
        const TRange Range = PartOf(Count, Part, Parts);
        std::vector<std::uint32_t>& Next = Lists.Counts[std::size_t(Part)];
        for (std::size_t T = Range.First; T < Range.Last; ++T) {
            const std::uint32_t R = Lists.Reach[T];
            if (R == Unseen) continue;
            const std::size_t Group = (R & AwayBit) != 0;
            for (std::uint32_t Band = R >> 16; Band <= (R & (AwayBit - 1)); ++Band) Lists.Triangles[Next[2 * Band + Group]++] = std::uint32_t(T);
        }
    });
}

// Squares of a band's depth buffer and the farthest nearness drawn in each, NoSurface
// where a sample is empty: a triangle nearer nowhere than that is hidden.
struct TBlocks {
    std::vector<float> Farthest;
    int Columns = 0;
    std::vector<TFloatLanes> Least;  // per group of samples across a row of blocks: the least of its column
};

void FindFarthest(const float* Depth, int SampleWidth, const TColumns& Drawn, TBlocks& Blocks) {
    const int Groups = SampleWidth / Lanes;  // a band's width is a whole number of pixels
    Blocks.Columns = (SampleWidth + BlockSamples - 1) / BlockSamples;
    Blocks.Farthest.assign(std::size_t(Blocks.Columns) * (BandSampleRows / BlockSamples), NoSurface);
    Blocks.Least.resize(std::size_t(Groups));
    for (int Row = 0; Row < BandSampleRows / BlockSamples; ++Row) {
        for (int G = Drawn.First / Lanes; G < Drawn.End / Lanes; ++G) {
            const float* Sample = Depth + std::size_t(Row * BlockSamples) * std::size_t(SampleWidth) + std::size_t(G * Lanes);
            TFloatLanes Low;
            std::memcpy(&Low, Sample, sizeof Low);
            for (int Y = 1; Y < BlockSamples; ++Y) {
                TFloatLanes Next;
                std::memcpy(&Next, Sample + std::size_t(Y) * std::size_t(SampleWidth), sizeof Next);
                Low = Next < Low ? Next : Low;
            }
            Blocks.Least[std::size_t(G)] = Low;
        }
        float* Farthest = Blocks.Farthest.data() + std::size_t(Row) * std::size_t(Blocks.Columns);
        for (int G = Drawn.First / Lanes; G < Drawn.End / Lanes; ++G) {
            const TFloatLanes& Low = Blocks.Least[std::size_t(G)];
            const float Least = std::min({Low[0], Low[1], Low[2], Low[3]});
            float& Block = Farthest[G * Lanes / BlockSamples];
            Block = G * Lanes % BlockSamples == 0 ? Least : std::min(Block, Least);
        }
    }
}

// Whether every sample the triangle may cover already holds something nearer than all of
// its corners. The margin is far above the rounding of the nearness along a triangle.
bool Hidden(float NearestQ, const TSampleBox& Box, int BandTop, const TBlocks& Blocks) {
    constexpr float Margin = 1e-4f;
    const float Nearest = NearestQ + Margin;
    for (std::int64_t Y = (Box.Y0 - BandTop) / BlockSamples; Y <= (Box.Y1 - BandTop) / BlockSamples; ++Y)
        for (std::int64_t X = Box.X0 / BlockSamples; X <= Box.X1 / BlockSamples; ++X)
            if (!(Nearest < Blocks.Farthest[std::size_t(Y * Blocks.Columns + X)])) return false;
    return true;
}

// What a drawing thread keeps from band to band. Depth is clear between bands: each band
// clears what it drew as it is resolved.
struct TBandScratch {
    std::vector<float> Depth;
    TColumns Drawn;  // the columns the band's triangles reach
    TBlocks Blocks;
    bool Clear = true;  // false from the first band drawn until the last one is resolved

    // Ready for bands of Size samples: cleared when its size changes or a drawing broke off.
    void Prepare(std::size_t Size) {
        if (!Clear || Depth.size() != Size) Depth.assign(Size, NoSurface);
        Clear = false;
    }
};

// How many triangles of a band's list ahead their data is fetched, so that it is in the
// cache when their turn comes: the lists skip through the mesh.
constexpr std::size_t Ahead = 8;


// Draws one band into Scratch.Depth, which the band before left clear. Triangles
// turned towards the viewer and those turned away are drawn apart, the nearer group first,
// so that most of the other group can be passed over as hidden.
void DrawBand(const TMesh& Mesh, const TScene& Scene, const TBandLists& Lists, int Band, TBandScratch& Scratch) {
    const int BandTop = Band * BandSampleRows;
    const TBandSummary& Summary = Lists.Summary[std::size_t(Band)];
    Scratch.Drawn = ColumnsReached(Summary.Left, Summary.Right, Scene);
    const auto Group = [&](int G) {
        const std::size_t Cell = 2 * std::size_t(Band) + std::size_t(G);
        return std::span<const std::uint32_t>(Lists.Triangles.data() + Lists.Start[Cell], Lists.Triangles.data() + Lists.Start[Cell + 1]);
    };
    const auto Mean = [&](int G) { return Summary.Nearness[G] / double(std::max<std::size_t>(1, Group(G).size())); };
    const int Front = Mean(1) > Mean(0) ? 1 : 0;
    // Blocks, when given, pass over the hidden triangles; most of them are, so then only
    // their boxes are fetched ahead, not their corners.
    const auto DrawGroup = [&](std::span<const std::uint32_t> List, const TBlocks* Blocks) {
        for (std::size_t I = 0; I < List.size(); ++I) {
            if (I + Ahead < List.size()) {
                const std::uint32_t Later = List[I + Ahead];
                __builtin_prefetch(&Lists.Boxes[Later]);
                if (!Blocks)
                    for (const std::uint32_t Corner : Mesh.Triangles[Later]) __builtin_prefetch(&Scene.Vertices[Corner]);
            }
            const std::uint32_t T = List[I];
            const TSampleBox Box = BoxInBand(Lists.Boxes[T], BandTop);
            if (Box.Empty() || (Blocks && Hidden(Lists.Boxes[T].NearestQ, Box, BandTop, *Blocks))) continue;
            const auto& C = Mesh.Triangles[T];
            DrawTriangle(Scene.Vertices[C[0]], Scene.Vertices[C[1]], Scene.Vertices[C[2]], Box, Scene, BandTop, Scratch.Depth.data());
        }
    };
    DrawGroup(Group(Front), nullptr);
    const std::span<const std::uint32_t> Backs = Group(1 - Front);
    if (Backs.empty()) return;
    FindFarthest(Scratch.Depth.data(), Scene.SampleWidth, Scratch.Drawn, Scratch.Blocks);
    DrawGroup(Backs, &Scratch.Blocks);
}

// Draws the bands that no other thread has taken yet, one at a time, into their rows of
// Coverage, and what they show into Seen.
void DrawBands(const TMesh& Mesh, const TScene& Scene, const TBandLists& Lists, int Width, std::atomic<int>& NextBand, TCoverage& Coverage,
               TNearness& Seen, TBandScratch& Scratch) {
    const int Bands = int(Lists.Summary.size());
    Scratch.Prepare(std::size_t(Scene.SampleWidth) * BandSampleRows + BandPadding);
    for (int Band = NextBand++; Band < Bands; Band = NextBand++) {
        const int BandTop = Band * BandSampleRows;
        DrawBand(Mesh, Scene, Lists, Band, Scratch);
        if (Scene.Perspective) ResolveBand<true>(Scratch.Depth.data(), BandTop, Scene, Width, Scratch.Drawn, Coverage, Seen);
        else ResolveBand<false>(Scratch.Depth.data(), BandTop, Scene, Width, Scratch.Drawn, Coverage, Seen);
    }
    Scratch.Clear = true;
}

}  // namespace

// Everything a drawing needs besides its picture. Sized for the largest picture and mesh
// drawn so far, so that the next drawing of the same model writes into memory it already
// has: fresh pages cost far more than the drawing of a small model.
struct TMeshRasterizer::TWorkspace {
    TScene Scene;
    TProjectionWork Projection;
    TBandLists Lists;
    TCoverage Coverage;
    std::vector<TBandScratch> Scratch;  // one per drawing thread
};

TMeshRasterizer::TMeshRasterizer(int Threads)
    : FWork(std::make_unique<TWorkspace>()), FThreads(Threads > 0 ? Threads : int(std::max(1u, std::thread::hardware_concurrency()))) {}
TMeshRasterizer::~TMeshRasterizer() = default;

// Bands share no sample and no pixel, a sample keeps the nearest of the triangles over it
// whatever their order, and the nearest and farthest nearness are a maximum and a minimum,
// so sharing the work out among threads gives the same picture.
TGreyPlane TMeshRasterizer::Render(const TMesh& Mesh, int Width, int Height, const TModelView& View) {
    TGreyPlane Plane(Width, Height);
    TWorkspace& W = *FWork;
    TScene& Scene = W.Scene;
    Scene.Threads = FThreads;
    if (!Project(Mesh, Width, Height, View, Scene, W.Projection)) return Plane;

    const int Bands = (Scene.SampleHeight + BandSampleRows - 1) / BandSampleRows;
    ListByBand(Mesh, Scene, Bands, W.Lists);
    TCoverage& Coverage = W.Coverage;
    Coverage.Count.assign(Plane.Levels.size(), 0);
    Coverage.DistanceSum.assign(Plane.Levels.size(), 0);
    const int Threads = PartsFor(std::size_t(Bands), MinBandsPerThread, Scene.Threads);
    if (W.Scratch.size() < std::size_t(Threads)) W.Scratch.resize(std::size_t(Threads));
    std::vector<TNearness> Seen(static_cast<std::size_t>(Threads));
    std::atomic<int> NextBand = 0;
    InParts(Threads, [&](int Part) {
        DrawBands(Mesh, Scene, W.Lists, Width, NextBand, Coverage, Seen[std::size_t(Part)], W.Scratch[std::size_t(Part)]);
    });
    TNearness All;
    for (const TNearness& Part : Seen) All.Join(Part);
    const int ShadeParts = PartsFor(Plane.Levels.size(), MinItemsPerThread, Scene.Threads);
    InParts(ShadeParts, [&](int Part) { Shade(Coverage, All, Scene, PartOf(Plane.Levels.size(), Part, ShadeParts), Plane); });
    return Plane;
}

TGreyPlane RenderMeshDepth(const TMesh& Mesh, int Width, int Height, const TModelView& View) { return TMeshRasterizer().Render(Mesh, Width, Height, View); }

TGreyPlane TMeshRasterizerPool::Render(const TMesh& Mesh, int Width, int Height, const TModelView& View) {
    std::unique_ptr<TMeshRasterizer> Borrowed;
    {
        const std::lock_guard Hold(FLock);
        if (!FIdle.empty()) {
            Borrowed = std::move(FIdle.back());
            FIdle.pop_back();
        }
    }
    if (!Borrowed) Borrowed = std::make_unique<TMeshRasterizer>(1);
    TGreyPlane Plane = Borrowed->Render(Mesh, Width, Height, View);
    const std::lock_guard Hold(FLock);
    FIdle.push_back(std::move(Borrowed));
    return Plane;
}
