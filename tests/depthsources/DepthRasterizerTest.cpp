#include <gtest/gtest.h>

#include <algorithm>
#include <limits>

#include "DepthRasterizer.h"
#include "Exception.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN(), Inf = std::numeric_limits<float>::infinity();

TMesh OneTriangle() { return {{{0, 0, 0}, {1, 0, 0}, {0, 1, 1}}, {{0, 1, 2}}}; }

bool AllBlack(const TGreyPlane& Plane) { return std::all_of(Plane.Levels.begin(), Plane.Levels.end(), [](std::uint8_t L) { return L == 0; }); }

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

TEST(DepthRasterizer, SizesOutsideThePictureLimitsAreRefused) {
    try {
        RenderMeshDepth(OneTriangle(), 0, 10, {});
        ADD_FAILURE() << "a width of 0 was accepted";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message(), "Tiefenbild braucht mindestens 1 × 1 Pixel");
    }
    EXPECT_THROW(RenderMeshDepth(OneTriangle(), 20000, 10, {}), EInvalidGraphic);
}
