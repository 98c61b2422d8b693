// Model formats recognised by their content, and what their headers claim, so that a
// hostile header is refused before anything is allocated for it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

struct TModelFormat {
    std::string Name;       // as the user knows it: "STL", "glTF"
    std::string Extension;  // the extension assimp knows it by, without the dot
};

// The extension of a file name in lower case without its dot, when it is plain letters and
// digits of a sensible length ("STL" gives "stl"); empty otherwise.
std::string PlainExtension(const std::string& Name);

// The format whose signature Bytes begin with: glTF (JSON or binary), PLY, FBX (binary or
// ASCII), COLLADA, STL (ASCII, or binary whose size matches its triangle count), 3DS, OFF,
// DirectX, Blender. None for content without a signature, such as OBJ.
std::optional<TModelFormat> ModelFormatBySignature(std::span<const std::uint8_t> Bytes);

// What a header of the named format claims: a binary STL's triangle count, a PLY header's
// element counts (faces count as triangles, every other element as vertices). Zero for
// other formats and for what a header does not state.
struct TClaimedCounts {
    std::uint64_t Triangles = 0;
    std::uint64_t Vertices = 0;
};
TClaimedCounts ClaimedCounts(std::span<const std::uint8_t> Bytes, const std::string& FormatName);
