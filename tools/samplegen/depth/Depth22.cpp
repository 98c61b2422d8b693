// Overlapping rectangles, each a flat plateau at its own height: blocks standing on a
// common base, so only their tops show.
#include <array>

#include "Raycast.h"
#include "Samples.h"

namespace samplegen {
namespace {

struct Block {
    float centreX, centreY, halfWidth, halfHeight, top;
};

constexpr float kBase = -1.0f;
constexpr std::array<Block, 5> kBlocks{{
    {-1.15f, 0.35f, 1.0f, 0.7f, 0.2f},
    {0.35f, 0.6f, 1.1f, 0.55f, 0.4f},
    {1.3f, -0.3f, 0.85f, 0.8f, 0.6f},
    {-0.5f, -0.5f, 0.95f, 0.55f, 0.8f},
    {0.4f, 0.05f, 0.5f, 0.35f, 1.0f},
}};

}  // namespace

GreyImage RenderDepth22() {
    const auto scene = [](Vec3 p) {
        float d = 1e9f;
        for (const Block& b : kBlocks) {
            const float halfDepth = (b.top - kBase) / 2;
            d = Union(d, SdBox(p - Vec3{b.centreX, b.centreY, b.top - halfDepth}, {b.halfWidth, b.halfHeight, halfDepth}));
        }
        return d;
    };
    OrthoView view;
    view.centreX = 0.05f;
    view.centreY = 0.1f;
    view.scale = 5.0f / 600.0f;
    view.zTop = 1.1f;
    view.zBottom = kBase;
    return RenderNearness(600, 400, scene, view);
}

}  // namespace samplegen
