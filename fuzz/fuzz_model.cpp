// Model files through our assimp wrapper: reading must give a mesh or EInvalidGraphic, and
// a mesh that was read must render. The first byte picks the file name's extension, so
// that formats without a signature are reached as well; the rest is the file.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>

#include "DepthRasterizer.h"
#include "Exception.h"
#include "ModelReader.h"

namespace {

constexpr std::array<const char*, 16> Names{"model", "model.obj", "model.stl", "model.ply", "model.off", "model.gltf", "model.glb", "model.dae",
                                            "model.3ds", "model.fbx", "model.x",   "model.ase", "model.ac",  "model.lwo", "model.ms3d", "model.md2"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    if (Size == 0) return 0;
    const std::string Name = Names[Data[0] % Names.size()];
    try {
        // Files that hang the reader are common among mutations; a short limit keeps the
        // fuzzer busy with the others.
        const TMesh Mesh = ReadModel({Data + 1, Size - 1}, Name, {}, std::chrono::milliseconds(1000));
        TModelView View;
        View.RotateY = Data[0];
        View.Projection = Data[0] & 1 ? TProjection::Perspective : TProjection::Orthographic;
        RenderMeshDepth(Mesh, 48, 32, View);
    } catch (const EInvalidGraphic&) {
    }
    return 0;
}
