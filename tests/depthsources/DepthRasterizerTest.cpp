#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <limits>
#include <string>

#include "BenchMeshes.h"
#include "DepthRasterizer.h"
#include "DraftDepth.h"
#include "DraftMesh.h"
#include "Exception.h"
#include "ModelReader.h"
#include "TestPictures.h"
#include "WeldCorners.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN(), Inf = std::numeric_limits<float>::infinity();

TMesh OneTriangle() { return {{{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}, {{0, 1, 2}}}; }

bool AllBlack(const TGreyPlane& Plane) { return std::all_of(Plane.Levels.begin(), Plane.Levels.end(), [](std::uint8_t L) { return L == 0; }); }

std::string Digest(const TGreyPlane& Plane) {
    std::uint64_t Hash = 14695981039346656037ull;
    for (const std::uint8_t Level : Plane.Levels) Hash = (Hash ^ Level) * 1099511628211ull;
    char Text[17];
    std::snprintf(Text, sizeof Text, "%016llx", static_cast<unsigned long long>(Hash));
    return Text;
}

TModelView Turned(double X, double Y, double Z, TProjection Projection) {
    TModelView View;
    View.RotateX = X, View.RotateY = Y, View.RotateZ = Z;
    View.Projection = Projection;
    return View;
}

}  // namespace

TEST(DepthRasterizer, TrianglesWithCornersNotFiniteOrPastTheVerticesAreLeftOut) {
    TMesh Mixed = OneTriangle();
    Mixed.Vertices.insert(Mixed.Vertices.end(), {{NaN, 0, 0}, {0, Inf, 0}, {50, 50, 50}});
    // The last corner would move the framing if any of these counted.
    Mixed.Triangles.insert(Mixed.Triangles.end(), {{0, 1, 3}, {4, 1, 2}, {5, 1, 7}, {0, 0, 1}});
    EXPECT_EQ(RenderMeshDepth(Mixed, 64, 48, {}).Levels, RenderMeshDepth(OneTriangle(), 64, 48, {}).Levels);
}

TEST(DepthRasterizer, ExtremeMeshesGiveAPictureOfTheirSize) {
    const struct {
        const char* Name;
        TMesh Mesh;
        bool Black;
    } Cases[] = {
        {"empty", {}, true},
        {"only corners that are not finite", {{{NaN, 0, 0}, {0, 0, 0}, {1, 1, 1}}, {{0, 1, 2}}}, true},
        {"all corners at one point", {{{2, 2, 2}, {2, 2, 2}, {2, 2, 2}}, {{0, 1, 2}}}, true},
        {"a flat triangle seen edge-on", {{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, 1, 2}}}, true},
        {"float's largest coordinates", {{{-3e38f, -3e38f, 3e38f}, {3e38f, -3e38f, -3e38f}, {0, 3e38f, 0}}, {{0, 1, 2}}}, false},
        {"a huge triangle beside a tiny one", {{{0, 0, 0}, {1e-30f, 0, 0}, {0, 1e-30f, 0}, {1e30f, 0, 0}, {0, 1e30f, 0}}, {{0, 1, 2}, {0, 3, 4}}}, false},
    };
    for (const auto& C : Cases) {
        for (const TProjection Projection : {TProjection::Orthographic, TProjection::Perspective}) {
            TModelView View;
            View.Projection = Projection;
            const TGreyPlane Plane = RenderMeshDepth(C.Mesh, 32, 24, View);
            EXPECT_EQ(Plane.Levels.size(), 32u * 24u) << C.Name;
            EXPECT_EQ(AllBlack(Plane), C.Black) << C.Name;
        }
    }
}

// The pictures of the renderer as it stands, held so that a faster renderer draws the same.
TEST(DepthRasterizer, PicturesStayExactlyTheSame) {
    constexpr auto Ortho = TProjection::Orthographic, Persp = TProjection::Perspective;
    const TMesh Sphere = RippledSphere(60, 90);
    // The same sphere with a vertex for every corner, and welded again: the same picture.
    const TMesh Unshared = UnsharedCorners(Sphere);
    TMesh Welded = Unshared;
    WeldCorners(Welded);
    EXPECT_LT(Welded.Vertices.size(), Unshared.Vertices.size() / 5);
    const TMesh Ball = ReadModelFile(TestDataFile("stl_sphere.stl")), Block = ReadModelFile(TestDataFile("stl_l_block.stl"));
    // Two triangles crossing in depth, so that each is nearer over part of the other.
    const TMesh Crossing{{{0, 0, 0}, {4, 0, 1}, {0, 4, 1}, {4, 4, 0}, {0, 1, 1.5f}, {4, 1, -0.5f}}, {{0, 1, 2}, {3, 4, 5}}};
    const TMesh Flat{{{0, 0, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, 1, 2}}};
    const struct {
        const char* Name;
        const TMesh& Mesh;
        int Width, Height;
        TModelView View;
        const char* Digest;
    } Cases[] = {
        {"million, orthographic", MillionTriangles(), 1024, 800, Turned(20, 0, 0, Ortho), "e010ed4ae87c17ca"},
        {"million, perspective", MillionTriangles(), 1024, 800, Turned(20, 0, 0, Persp), "4c3b087bc546d6e4"},
        {"sphere, orthographic, odd size", Sphere, 333, 201, Turned(30, -45, 10, Ortho), "776c70febb8ac54a"},
        {"sphere, unshared corners", Unshared, 333, 201, Turned(30, -45, 10, Ortho), "776c70febb8ac54a"},
        {"sphere, corners welded", Welded, 333, 201, Turned(30, -45, 10, Ortho), "776c70febb8ac54a"},
        {"sphere, perspective, odd size", Sphere, 333, 201, Turned(-70, 200, 5, Persp), "6938734c142b5ea7"},
        {"sphere, tall and narrow", Sphere, 37, 611, Turned(0, 90, 0, Persp), "bbc8fa8d0426a8d9"},
        {"stl ball", Ball, 257, 129, Turned(10, 20, 30, Persp), "c28e0cd4d1a012a5"},
        {"stl block, orthographic", Block, 400, 300, Turned(35, 40, 0, Ortho), "76130862d747c3c9"},
        {"stl block, perspective", Block, 129, 257, Turned(-20, 130, 15, Persp), "bfe5719b029f7f1d"},
        {"crossing triangles", Crossing, 640, 480, Turned(0, 0, 0, Ortho), "6e4b756677ad5cb0"},
        {"crossing triangles turned", Crossing, 101, 77, Turned(15, 25, 5, Persp), "f72d51b48849c864"},
        {"one pixel", OneTriangle(), 1, 1, {}, "af63a14c8601884b"},
        {"a few pixels", OneTriangle(), 7, 3, Turned(0, 0, 0, Persp), "679e7d7fcf8d2d94"},
        {"flat triangle nearly edge-on", Flat, 300, 200, Turned(0.5, 0, 0, Ortho), "f279a9444c0780ba"},
        {"flat triangle nearly edge-on, perspective", Flat, 300, 200, Turned(0, 0.2, 89.5, Persp), "757caa120c8d2cf5"},
    };
    for (const auto& C : Cases) {
        const TGreyPlane Plane = RenderMeshDepth(C.Mesh, C.Width, C.Height, C.View);
        EXPECT_FALSE(AllBlack(Plane)) << C.Name;
        EXPECT_EQ(Digest(Plane), C.Digest) << C.Name;
    }
}

TEST(DepthRasterizer, SizesOutsideThePictureLimitsAreRefused) {
    try {
        RenderMeshDepth(OneTriangle(), 0, 10, {});
        ADD_FAILURE() << "a width of 0 was accepted";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Tiefenbild braucht mindestens 1 × 1 Pixel");
    }
    EXPECT_THROW(RenderMeshDepth(OneTriangle(), 20000, 10, {}), EInvalidGraphic);
}

// While a model turns the window draws its draft: close to the model's own picture, from
// far fewer corners, also for a mesh whose triangles share corners only by position.
TEST(DepthRasterizer, ADraftLooksLikeTheModel) {
    TMesh Unshared = UnsharedCorners(RippledSphere(60, 90));
    // Triangles the renderer leaves out are left out of the draft, or the framing would move.
    Unshared.Vertices.insert(Unshared.Vertices.end(), {{NaN, 0, 0}, {50, 50, 50}});
    Unshared.Triangles.insert(Unshared.Triangles.end(), {{0, 1, std::uint32_t(Unshared.Vertices.size() - 2)}, {0, 1, 1u << 30}});
    const TMesh Ball = ReadModelFile(TestDataFile("stl_sphere.stl"));
    // The reader shares the ball's corners already; the draft of so small a model keeps them.
    // One rasteriser draws every draft, as the window's does.
    TMeshRasterizer Rasterizer;
    const struct {
        const char* Name;
        const TMesh& Mesh;
        int Width, Height;
        TModelView View;
        std::size_t MostVertices;
    } Cases[] = {
        {"sphere", Unshared, 400, 250, Turned(30, -45, 10, TProjection::Orthographic), Unshared.Vertices.size() / 3},
        {"sphere, perspective, odd size", Unshared, 333, 201, Turned(-70, 200, 5, TProjection::Perspective), Unshared.Vertices.size() / 3},
        {"stl ball", Ball, 257, 129, Turned(10, 20, 30, TProjection::Perspective), Ball.Vertices.size()},
    };
    for (const auto& C : Cases) {
        const TMesh Draft = DraftMesh(C.Mesh, DraftCells(C.Width / 2, C.Height / 2));
        EXPECT_LE(Draft.Vertices.size(), C.MostVertices) << C.Name;
        const TGreyPlane Full = RenderMeshDepth(C.Mesh, C.Width, C.Height, C.View);
        const TGreyPlane Drawn = RenderDraftDepth(Rasterizer, Draft, C.Width, C.Height, C.View);
        ASSERT_EQ(Drawn.Levels.size(), Full.Levels.size()) << C.Name;
        double Difference = 0;
        for (std::size_t I = 0; I < Full.Levels.size(); ++I) Difference += std::abs(Full.Levels[I] - Drawn.Levels[I]);
        EXPECT_LT(Difference / double(Full.Levels.size()), 3.0) << C.Name;
    }
    EXPECT_TRUE(AllBlack(RenderDraftDepth(Rasterizer, DraftMesh({}, 10), 20, 10, {})));
    // Corners filling a volume, 10 along each side on a grid of 4 cells: 5 occupied cells
    // along each axis (0 … 9 falls into 0 0 0 1 1 2 2 3 3 4), each kept once.
    TMesh Cloud;
    for (int I = 0; I < 1000; ++I) Cloud.Vertices.push_back({float(I % 10), float(I / 10 % 10), float(I / 100)});
    for (std::uint32_t I = 0; I + 2 < 1000; ++I) Cloud.Triangles.push_back({I, I + 1, I + 2});
    EXPECT_EQ(DraftMesh(Cloud, 4).Vertices.size(), 125u);
}
