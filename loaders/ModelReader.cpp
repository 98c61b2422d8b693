// The one file that speaks to assimp.
#include "ModelReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <filesystem>
#include <limits>
#include <new>
#include <optional>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <fcntl.h>

#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/MemoryIOWrapper.h>
#include <assimp/config.h>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

#include "Exception.h"
#include "ModelFormats.h"

namespace {

// Node hierarchies deeper or wider than any real model has are refused as TooLarge.
constexpr std::uint64_t MaxModelNodes = 1'000'000;
// Extensions assimp lists but that say nothing about the content.
constexpr std::array GenericExtensions{"xml"};
// Only plain extensions are passed on to assimp as a hint.
constexpr std::size_t MaxHintLength = 16;

[[noreturn]] void Refuse(TReadFailure Failure, const std::string& Name, const std::string& Format, const std::string& Detail) {
    std::string Message;
    switch (Failure) {
        case TReadFailure::NotAPicture: Message = "Keine lesbare Modelldatei: "; break;
        case TReadFailure::Damaged: Message = "Modelldatei ist beschädigt: "; break;
        case TReadFailure::Unsupported: Message = "Modelldatei nutzt nicht unterstützte Merkmale: "; break;
        case TReadFailure::TooLarge: Message = "Modell ist zu groß: "; break;
    }
    throw EInvalidGraphic(Message + Name, Failure, Format, Detail);
}

[[noreturn]] void RefuseEmpty(const std::string& Name, const std::string& Format, const std::string& Detail) {
    throw EInvalidGraphic("Modell enthält keine Dreiecke: " + Name, TReadFailure::Damaged, Format, Detail);
}

std::string Extension(const std::string& Name) {
    std::string Result = std::filesystem::path(Name).extension().string();
    if (!Result.empty()) Result.erase(0, 1);
    std::transform(Result.begin(), Result.end(), Result.begin(), [](unsigned char C) { return char(std::tolower(C)); });
    const bool Plain = Result.size() <= MaxHintLength && std::all_of(Result.begin(), Result.end(), [](unsigned char C) { return std::isalnum(C); });
    return Plain ? Result : std::string();
}

bool IsAssimpExtension(const std::string& Ext) {
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
    return !Ext.empty() && Known.contains(Ext);
}

// The format by content, else by extension (the user's word for it, upper case).
TModelFormat FormatOf(std::span<const std::uint8_t> Bytes, const std::string& Name) {
    if (auto Format = ModelFormatBySignature(Bytes)) return *Format;
    std::string Ext = Extension(Name), Upper = Ext;
    std::transform(Upper.begin(), Upper.end(), Upper.begin(), [](unsigned char C) { return char(std::toupper(C)); });
    return {IsAssimpExtension(Ext) ? Upper : std::string(), Ext};
}

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

// --- scene to mesh -----------------------------------------------------------------------

// An affine transform, three rows of four, in double so that a chain of node transforms
// does not overflow where the result is still finite.
using TAffine = std::array<std::array<double, 4>, 3>;

constexpr TAffine Identity{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};

TAffine Compose(const TAffine& Parent, const aiMatrix4x4& Local) {
    const double L[3][4] = {{Local.a1, Local.a2, Local.a3, Local.a4}, {Local.b1, Local.b2, Local.b3, Local.b4}, {Local.c1, Local.c2, Local.c3, Local.c4}};
    TAffine Result{};
    for (int R = 0; R < 3; ++R)
        for (int C = 0; C < 4; ++C) Result[R][C] = Parent[R][0] * L[0][C] + Parent[R][1] * L[1][C] + Parent[R][2] * L[2][C] + (C == 3 ? Parent[R][3] : 0);
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
            if (++Visited > MaxModelNodes) Refuse(TReadFailure::TooLarge, FName, FFormat, "more than " + std::to_string(MaxModelNodes) + " nodes");
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
            Refuse(TReadFailure::TooLarge, FName, FFormat, "more than " + std::to_string(MaxModelVertices) + " vertices");
        const auto Base = std::uint32_t(FMesh.Vertices.size());
        for (unsigned I = 0; I < Source->mNumVertices; ++I) {
            const aiVector3D& P = Source->mVertices[I];
            const double X = P.x, Y = P.y, Z = P.z;
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
            Refuse(TReadFailure::TooLarge, FName, FFormat, "more than " + std::to_string(MaxModelTriangles) + " triangles");
        FMesh.Triangles.push_back({Corners[0], Corners[1], Corners[2]});
    }

    const std::string& FName;
    const std::string& FFormat;
    TMesh FMesh;
};

// --- files -------------------------------------------------------------------------------

class TFileDescriptor {
public:
    explicit TFileDescriptor(int Descriptor) : FDescriptor(Descriptor) {}
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    ~TFileDescriptor() {
        if (FDescriptor >= 0) ::close(FDescriptor);
    }
    int Get() const { return FDescriptor; }

private:
    int FDescriptor;
};

// The whole file, read in pieces so that a pipe or a device given as a file name is read
// only up to the size limit.
std::vector<std::uint8_t> ReadWholeFile(const std::string& FileName) {
    const TFileDescriptor File(::open(FileName.c_str(), O_RDONLY | O_CLOEXEC));
    if (File.Get() < 0) throw EFileError("Datei kann nicht geöffnet werden: " + FileName, FileName, errno);
    struct stat Status {};
    if (::fstat(File.Get(), &Status) != 0) throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, errno);
    if (S_ISDIR(Status.st_mode)) throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, EISDIR);
    const auto TooLarge = [&] { Refuse(TReadFailure::TooLarge, FileName, {}, "larger than " + std::to_string(MaxModelFileBytes) + " bytes"); };
    const bool Regular = S_ISREG(Status.st_mode);
    if (Regular && std::uint64_t(Status.st_size) > MaxModelFileBytes) TooLarge();

    std::vector<std::uint8_t> Bytes, Piece(std::size_t(1) << 16);
    Bytes.reserve(Regular ? std::size_t(Status.st_size) : 0);
    for (;;) {
        const ssize_t Got = ::read(File.Get(), Piece.data(), Piece.size());
        if (Got < 0 && errno == EINTR) continue;
        if (Got < 0) throw EFileError("Datei kann nicht gelesen werden: " + FileName, FileName, errno);
        if (Got == 0) return Bytes;
        if (Bytes.size() + std::size_t(Got) > MaxModelFileBytes) TooLarge();
        Bytes.insert(Bytes.end(), Piece.begin(), Piece.begin() + Got);
    }
}

}  // namespace

bool LooksLikeModel(std::span<const std::uint8_t> Bytes, const std::string& Name) {
    return ModelFormatBySignature(Bytes).has_value() || IsAssimpExtension(Extension(Name));
}

TMesh ReadModel(std::span<const std::uint8_t> Bytes, const std::string& Name, const std::string& Folder) {
    const TModelFormat Format = FormatOf(Bytes, Name);
    if (Bytes.empty()) Refuse(TReadFailure::NotAPicture, Name, Format.Name, "the file is empty");
    if (Bytes.size() > MaxModelFileBytes) Refuse(TReadFailure::TooLarge, Name, Format.Name, "larger than " + std::to_string(MaxModelFileBytes) + " bytes");
    const TClaimedCounts Claimed = ClaimedCounts(Bytes, Format.Name);
    if (Claimed.Triangles > MaxModelTriangles || Claimed.Vertices > MaxModelVertices)
        Refuse(TReadFailure::TooLarge, Name, Format.Name,
               "the header claims " + std::to_string(Claimed.Triangles) + " triangles and " + std::to_string(Claimed.Vertices) + " vertices");

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
        Refuse(TReadFailure::TooLarge, Name, Format.Name, "out of memory while reading");
    } catch (const std::exception& Error) {
        Refuse(TReadFailure::Damaged, Name, Format.Name, Error.what());
    }
    if (!Scene) {
        // assimp names the model in memory by a file name of its own.
        std::string Error = Importer.GetErrorString();
        const std::string MemoryName = std::string(AI_MEMORYIO_MAGIC_FILENAME) + "." + Format.Extension;
        for (std::size_t At; (At = Error.find(MemoryName)) != std::string::npos;) Error.replace(At, MemoryName.size(), Name);
        if (SaysEmpty(Error)) RefuseEmpty(Name, Format.Name, Error);
        Refuse(FailureOf(Error), Name, Format.Name, Error);
    }
    TMesh Mesh = TMeshCollector(Name, Format.Name).Collect(*Scene);
    if (Mesh.Triangles.empty()) RefuseEmpty(Name, Format.Name, "no triangle with finite corners");
    return Mesh;
}

TMesh ReadModelFile(const std::string& FileName) {
    const std::vector<std::uint8_t> Bytes = ReadWholeFile(FileName);
    std::string Folder = std::filesystem::path(FileName).parent_path().string();
    return ReadModel(Bytes, FileName, Folder.empty() ? "." : Folder);
}
