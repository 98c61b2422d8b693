#include "ModelDepth.h"

#include "ModelReader.h"

TBitmap RenderModelDepth(const std::string& FileName, int Width, int Height, const TModelView& View) {
    CheckDepthMapSize(Width, Height);
    return ToDepthBitmap(RenderMeshDepth(ReadModelFile(FileName), Width, Height, View));
}

TBitmap RenderModelDepth(std::span<const std::uint8_t> Bytes, const std::string& Name, int Width, int Height, const TModelView& View) {
    CheckDepthMapSize(Width, Height);
    return ToDepthBitmap(RenderMeshDepth(ReadModel(Bytes, Name), Width, Height, View));
}
