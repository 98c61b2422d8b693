// The one file that speaks to assimp.
#include "AssimpImport.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>
#include <set>
#include <sys/stat.h>

#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "ModelReader.h"
#include "ModelRefusal.h"
#include "WeldCorners.h"

namespace {

// Node hierarchies larger than any real model has are refused as TooLarge.
constexpr std::uint64_t MaxModelNodes = 1'000'000;
// Extensions assimp lists but that say nothing about the content.
constexpr std::array GenericExtensions{"xml"};

// Files a model refers to, looked up in its folder: only regular files within the size
// limit, so that a reference to a device or a pipe can neither hang nor exhaust memory.
class TFolderIOSystem : public Assimp::DefaultIOSystem {
public:
    explicit TFolderIOSystem(std::string Folder) : FFolder(std::move(Folder)) {}

    bool Exists(const char* File) const override { return Resolve(File).has_value(); }
    Assimp::IOStream* Open(const char* File, const char* Mode) override {
        const std::optional<std::string> Path = Resolve(File);
        if (!Path || std::string_view(Mode).find_first_of("wa+") != std::string_view::npos) return nullptr;
        return DefaultIOSystem::Open(Path->c_str(), Mode);
    }

private:
    std::optional<std::string> Resolve(const char* File) const {
        if (FFolder.empty() || !File) return std::nullopt;
        const std::filesystem::path Path = std::filesystem::path(FFolder) / File;
        struct stat Status {};
        if (::stat(Path.c_str(), &Status) != 0 || !S_ISREG(Status.st_mode) || std::uint64_t(Status.st_size) > MaxModelFileBytes) return std::nullopt;
        return Path.string();
    }

    std::string FFolder;
};

// assimp's wording for a model without anything to draw.
bool SaysEmpty(const std::string& AssimpError) {
    for (const char* Phrase : {"contains no faces", "contains no vertices", "mNumMeshes is 0", "file is empty"})
        if (AssimpError.find(Phrase) != std::string::npos) return true;
    return false;
}

TReadFailure FailureOf(const std::string& AssimpError) {
    if (AssimpError.find("No suitable reader") != std::string::npos) return TReadFailure::NotAPicture;
    if (AssimpError.find("nsupported") != std::string::npos || AssimpError.find("not supported") != std::string::npos)
        return TReadFailure::Unsupported;
    return TReadFailure::Damaged;
}

// An affine transform, three rows of four, in double so that a chain of node transforms
// does not overflow where the result is still finite.
using TAffine = std::array<std::array<double, 4>, 3>;

constexpr TAffine Identity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};

TAffine Compose(const TAffine& Parent, const aiMatrix4x4& Local) {
    TAffine Result{};
    for (unsigned R = 0; R < 3; ++R)
        for (unsigned C = 0; C < 4; ++C)
            Result[R][C] = Parent[R][0] * double(Local[0][C]) + Parent[R][1] * double(Local[1][C]) + Parent[R][2] * double(Local[2][C]) + (C == 3 ? Parent[R][3] : 0);
    return Result;
}

// A coordinate past float's range becomes NaN, which leaves its triangles out.
float ToFloat(double Value) {
    return std::abs(Value) <= double(std::numeric_limits<float>::max()) ? float(Value) : std::numeric_limits<float>::quiet_NaN();
}

bool IsFinite(const TVertex& V) { return std::isfinite(V.X) && std::isfinite(V.Y) && std::isfinite(V.Z); }

class TMeshCollector {
public:
    TMeshCollector(const std::string& Name, const std::string& Format) : FName(Name), FFormat(Format) {}

    TMesh Collect(const aiScene& Scene) {
        if (!Scene.mRootNode) {
            for (unsigned I = 0; I < Scene.mNumMeshes; ++I) AddMesh(Scene.mMeshes[I], Identity);
            return std::move(FMesh);
        }
        std::vector<std::pair<const aiNode*, TAffine>> Pending{{Scene.mRootNode, Compose(Identity, Scene.mRootNode->mTransformation)}};
        std::uint64_t Visited = 0;
        while (!Pending.empty()) {
            const auto [Node, Transform] = Pending.back();
            Pending.pop_back();
            if (++Visited > MaxModelNodes) RefuseModel(TReadFailure::TooLarge, FName, FFormat, "more than " + std::to_string(MaxModelNodes) + " nodes");
            for (unsigned I = 0; I < Node->mNumMeshes; ++I)
                if (Node->mMeshes && Node->mMeshes[I] < Scene.mNumMeshes) AddMesh(Scene.mMeshes[Node->mMeshes[I]], Transform);
            for (unsigned I = 0; I < Node->mNumChildren; ++I)
                if (Node->mChildren && Node->mChildren[I]) Pending.emplace_back(Node->mChildren[I], Compose(Transform, Node->mChildren[I]->mTransformation));
        }
        return std::move(FMesh);
    }

private:
    void AddMesh(const aiMesh* Source, const TAffine& T) {
        if (!Source || !Source->mVertices || !Source->mFaces) return;
        if (FMesh.Vertices.size() + Source->mNumVertices > MaxModelVertices)
            RefuseModel(TReadFailure::TooLarge, FName, FFormat, "more than " + std::to_string(MaxModelVertices) + " vertices");
        const auto Base = std::uint32_t(FMesh.Vertices.size());
        for (unsigned I = 0; I < Source->mNumVertices; ++I) {
            const aiVector3D& P = Source->mVertices[I];
            const double X = double(P.x), Y = double(P.y), Z = double(P.z);
            FMesh.Vertices.push_back({ToFloat(T[0][0] * X + T[0][1] * Y + T[0][2] * Z + T[0][3]), ToFloat(T[1][0] * X + T[1][1] * Y + T[1][2] * Z + T[1][3]),
                                      ToFloat(T[2][0] * X + T[2][1] * Y + T[2][2] * Z + T[2][3])});
        }
        for (unsigned F = 0; F < Source->mNumFaces; ++F) {
            const aiFace& Face = Source->mFaces[F];
            if (Face.mNumIndices < 3 || !Face.mIndices) continue;
            // A polygon becomes a fan from its first corner, in time linear in its size.
            for (unsigned K = 1; K + 1 < Face.mNumIndices; ++K) AddTriangle(Base, Source->mNumVertices, {Face.mIndices[0], Face.mIndices[K], Face.mIndices[K + 1]});
        }
    }

    void AddTriangle(std::uint32_t Base, unsigned VertexCount, std::array<unsigned, 3> Corners) {
        for (unsigned& C : Corners) {
            if (C >= VertexCount || !IsFinite(FMesh.Vertices[Base + C])) return;
            C += Base;
        }
        if (FMesh.Triangles.size() >= MaxModelTriangles)
            RefuseModel(TReadFailure::TooLarge, FName, FFormat, "more than " + std::to_string(MaxModelTriangles) + " triangles");
        FMesh.Triangles.push_back({Corners[0], Corners[1], Corners[2]});
    }

    const std::string& FName;
    const std::string& FFormat;
    TMesh FMesh;
};

}  // namespace

namespace {

const std::set<std::string>& KnownExtensions() {
    static const std::set<std::string> Known = [] {
        std::string List;  // "*.3d;*.3ds;…"
        Assimp::Importer().GetExtensionList(List);
        std::set<std::string> Result;
        for (std::size_t Start = 0; Start < List.size();) {
            const std::size_t End = std::min(List.find(';', Start), List.size());
            if (List.compare(Start, 2, "*.") == 0) Result.insert(List.substr(Start + 2, End - Start - 2));
            Start = End + 1;
        }
        for (const char* Generic : GenericExtensions) Result.erase(Generic);
        return Result;
    }();
    return Known;
}

}  // namespace

bool IsAssimpExtension(const std::string& Ext) { return !Ext.empty() && KnownExtensions().contains(Ext); }

std::vector<std::string> AssimpExtensions() { return {KnownExtensions().begin(), KnownExtensions().end()}; }

TMesh ImportWithAssimp(std::span<const std::uint8_t> Bytes, const std::string& Name, const TModelFormat& Format, const std::string& Folder) {
    Assimp::Importer Importer;
    // Only geometry is wanted: animations, textures and materials are not even read.
    for (const char* Property : {AI_CONFIG_IMPORT_FBX_READ_ANIMATIONS, AI_CONFIG_IMPORT_FBX_READ_TEXTURES, AI_CONFIG_IMPORT_FBX_READ_MATERIALS,
                                 AI_CONFIG_IMPORT_FBX_READ_CAMERAS, AI_CONFIG_IMPORT_FBX_READ_LIGHTS})
        Importer.SetPropertyBool(Property, false);
    Importer.SetIOHandler(new TFolderIOSystem(Folder));
    // Checking the structure is the only step asked of assimp: it is linear in the data,
    // where triangulation (ear clipping) can take quadratic time on one crafted polygon.
    const aiScene* Scene = nullptr;
    try {
        Scene = Importer.ReadFileFromMemory(Bytes.data(), Bytes.size(), aiProcess_ValidateDataStructure, Format.Extension.c_str());
    } catch (const std::bad_alloc&) {
        RefuseModel(TReadFailure::TooLarge, Name, Format.Name, "out of memory while reading");
    } catch (const std::exception& Error) {
        RefuseModel(TReadFailure::Damaged, Name, Format.Name, Error.what());
    }
    if (!Scene) {
        // assimp names the model in memory by a file name of its own.
        std::string Error = Importer.GetErrorString();
        const std::string MemoryName = std::string(AI_MEMORYIO_MAGIC_FILENAME) + "." + Format.Extension;
        for (std::size_t At; (At = Error.find(MemoryName)) != std::string::npos;) Error.replace(At, MemoryName.size(), Name);
        if (SaysEmpty(Error)) RefuseEmptyModel(Name, Format.Name, Error);
        RefuseModel(FailureOf(Error), Name, Format.Name, Error);
    }
    TMesh Mesh = TMeshCollector(Name, Format.Name).Collect(*Scene);
    if (Mesh.Triangles.empty()) RefuseEmptyModel(Name, Format.Name, "no triangle with finite corners");
    WeldCorners(Mesh);
    return Mesh;
}

