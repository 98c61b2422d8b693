#include "DepthFileRead.h"

#include <filesystem>

#include "Exception.h"
#include "GreyPlane.h"
#include "ModelReader.h"
#include "PictureFiles.h"
#include "PictureFormats.h"
#include "PictureReader.h"

std::optional<TDepthFileRead> ReadDepthFileKeepingMesh(const std::string& FileName, int Width, int Height,
                                                       const TModelView& View, bool ReportPicture) {
    const std::vector<std::uint8_t> Bytes = ReadPictureFileBytes(FileName);
    TDepthFileRead Read;
    if (!FormatOfContent(Bytes) && LooksLikeModel(Bytes, FileName)) {
        CheckDepthMapSize(Width, Height);
        const std::string Folder = std::filesystem::path(FileName).parent_path().string();
        Read.Mesh = std::make_shared<const TMesh>(ReadModel(Bytes, FileName, Folder.empty() ? "." : Folder));
        Read.Picture = DepthPicture(RenderMeshDepth(*Read.Mesh, Width, Height, View));
        return Read;
    }
    try {
        Read.Picture = ReadPictureBytes(Bytes, FileName).Picture;
    } catch (const EInvalidGraphic&) {
        if (ReportPicture) throw;
        return std::nullopt;
    }
    if (Read.Picture.Graphic() == nullptr) return std::nullopt;
    return Read;
}

TPicture DepthPicture(const TGreyPlane& Plane) {
    TPicture Picture;
    Picture.SetGraphic(std::make_unique<TBitmap>(ToDepthBitmap(Plane)));
    return Picture;
}
