#include "ModelFormats.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string_view>

namespace {

constexpr std::size_t StlHeaderBytes = 84;  // 80 bytes of text, then the triangle count
constexpr std::size_t StlTriangleBytes = 50;
// How far into a text file a signature or header is looked for.
constexpr std::size_t HeaderWindow = 4096;
constexpr std::size_t PlyHeaderWindow = 65536;
constexpr std::size_t MaxExtensionLength = 16;

std::string_view Text(std::span<const std::uint8_t> Bytes, std::size_t Window) {
    return {reinterpret_cast<const char*>(Bytes.data()), std::min(Bytes.size(), Window)};
}

bool StartsWith(std::span<const std::uint8_t> Bytes, std::string_view Prefix) { return Text(Bytes, Prefix.size()) == Prefix; }

std::string_view SkipBlanks(std::string_view S) {
    while (!S.empty() && (S.front() == ' ' || S.front() == '\t' || S.front() == '\r' || S.front() == '\n')) S.remove_prefix(1);
    return S;
}

std::uint32_t LittleEndian32(const std::uint8_t* P) { return std::uint32_t(P[0]) | std::uint32_t(P[1]) << 8 | std::uint32_t(P[2]) << 16 | std::uint32_t(P[3]) << 24; }

bool IsAsciiStl(std::span<const std::uint8_t> Bytes) {
    const std::string_view Head = Text(Bytes, HeaderWindow);
    return SkipBlanks(Head).starts_with("solid") && Head.find("facet") != std::string_view::npos;
}

bool IsBinaryStl(std::span<const std::uint8_t> Bytes) {
    return Bytes.size() >= StlHeaderBytes &&
           (Bytes.size() - StlHeaderBytes) == std::uint64_t(LittleEndian32(Bytes.data() + 80)) * StlTriangleBytes;
}

// A 3DS file is one main chunk (0x4D4D) whose length is the file's.
bool Is3ds(std::span<const std::uint8_t> Bytes) {
    return Bytes.size() >= 6 && Bytes[0] == 0x4D && Bytes[1] == 0x4D && LittleEndian32(Bytes.data() + 2) == Bytes.size();
}

bool IsGltfJson(std::span<const std::uint8_t> Bytes) {
    const std::string_view Head = SkipBlanks(Text(Bytes, HeaderWindow));
    return Head.starts_with("{") && Head.find("\"asset\"") != std::string_view::npos;
}

bool IsCollada(std::span<const std::uint8_t> Bytes) {
    const std::string_view Head = SkipBlanks(Text(Bytes, HeaderWindow));
    return Head.starts_with("<") && Head.find("<COLLADA") != std::string_view::npos;
}

bool IsOff(std::span<const std::uint8_t> Bytes) {
    for (const char* Prefix : {"OFF", "COFF", "NOFF", "CNOFF"}) {
        const std::size_t N = std::strlen(Prefix);
        if (StartsWith(Bytes, Prefix) && Bytes.size() > N && (Bytes[N] == '\n' || Bytes[N] == '\r' || Bytes[N] == ' ')) return true;
    }
    return false;
}

TClaimedCounts PlyClaimedCounts(std::span<const std::uint8_t> Bytes) {
    const std::string_view Head = Text(Bytes, PlyHeaderWindow);
    std::istringstream Lines(std::string(Head.substr(0, Head.find("end_header"))));
    TClaimedCounts Claimed;
    for (std::string Line; std::getline(Lines, Line);) {
        std::istringstream Words(Line);
        std::string Keyword, Name;
        std::uint64_t Count = 0;
        if (!(Words >> Keyword >> Name >> Count) || Keyword != "element") continue;
        std::uint64_t& Kind = Name == "face" ? Claimed.Triangles : Claimed.Vertices;
        Kind = std::max(Kind, Count);
    }
    return Claimed;
}

}  // namespace

std::string PlainExtension(const std::string& Name) {
    std::string Result = std::filesystem::path(Name).extension().string();
    if (!Result.empty()) Result.erase(0, 1);
    for (char& C : Result) C = char(std::tolower(static_cast<unsigned char>(C)));
    const bool Plain = Result.size() <= MaxExtensionLength && std::all_of(Result.begin(), Result.end(), [](unsigned char C) { return std::isalnum(C); });
    return Plain ? Result : std::string();
}

std::optional<TModelFormat> ModelFormatBySignature(std::span<const std::uint8_t> Bytes) {
    if (StartsWith(Bytes, "glTF")) return TModelFormat{"glTF", "glb"};
    if (StartsWith(Bytes, "ply\n") || StartsWith(Bytes, "ply\r")) return TModelFormat{"PLY", "ply"};
    if (StartsWith(Bytes, "Kaydara FBX Binary") || StartsWith(Bytes, "; FBX")) return TModelFormat{"FBX", "fbx"};
    if (StartsWith(Bytes, "xof ")) return TModelFormat{"DirectX", "x"};
    if (StartsWith(Bytes, "BLENDER")) return TModelFormat{"Blender", "blend"};
    if (IsGltfJson(Bytes)) return TModelFormat{"glTF", "gltf"};
    if (IsCollada(Bytes)) return TModelFormat{"COLLADA", "dae"};
    if (IsAsciiStl(Bytes) || IsBinaryStl(Bytes)) return TModelFormat{"STL", "stl"};
    if (Is3ds(Bytes)) return TModelFormat{"3DS", "3ds"};
    if (IsOff(Bytes)) return TModelFormat{"OFF", "off"};
    return std::nullopt;
}

TClaimedCounts ClaimedCounts(std::span<const std::uint8_t> Bytes, const std::string& FormatName) {
    if (FormatName == "STL" && !IsAsciiStl(Bytes) && Bytes.size() >= StlHeaderBytes) {
        const std::uint64_t Triangles = LittleEndian32(Bytes.data() + 80);
        return {Triangles, 3 * Triangles};
    }
    if (FormatName == "PLY") return PlyClaimedCounts(Bytes);
    return {};
}
