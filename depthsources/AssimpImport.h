// assimp, in this process: what the model reader runs in its child process.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "Mesh.h"
#include "ModelFormats.h"

// Whether assimp reads files of this extension (lower case, no dot); "xml" does not count,
// as it says nothing about the content.
bool IsAssimpExtension(const std::string& Extension);
// Every such extension, sorted.
std::vector<std::string> AssimpExtensions();

// Reads a model with assimp and gathers its triangles, as ReadModel describes. Raises
// EInvalidGraphic. A crafted file may crash or hang assimp itself.
TMesh ImportWithAssimp(std::span<const std::uint8_t> Bytes, const std::string& Name, const TModelFormat& Format, const std::string& Folder);
