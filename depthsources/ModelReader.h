// Model files as one triangle mesh, read with assimp: OBJ, STL, PLY, glTF, 3DS, FBX,
// COLLADA and whatever else it reads.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Mesh.h"

// Limits that keep a hostile or oversized file from making us allocate without bound.
// Four times the million-triangle models that render in under a second; assimp's own copy
// of such a mesh and ours stay below a gigabyte together.
constexpr std::uint64_t MaxModelTriangles = 4'000'000;
constexpr std::uint64_t MaxModelVertices = 3 * MaxModelTriangles;
// A binary STL of MaxModelTriangles is 200 MB; text formats need a little more.
constexpr std::uint64_t MaxModelFileBytes = 256 * 1024 * 1024;

// Whether Bytes hold a model rather than a picture: true for a model format's signature,
// and, for content without one (OBJ, a damaged binary STL), for an extension of a format
// assimp reads. A loader tells pictures by their own signatures first, since a ".obj"
// holding a PNG file counts as a model here.
bool LooksLikeModel(std::span<const std::uint8_t> Bytes, const std::string& Name);

// The extensions of the model files we read (lower case, no dot), for file dialogs.
std::vector<std::string> ModelExtensions();

// Reads a model held in memory. Name (a file name, or any text ending in an extension)
// names the model in messages and helps to recognise a format without a signature.
// Folder, when not empty, is where files the model refers to are looked up (an OBJ's
// materials, a glTF's buffers); without it no other file is opened. Node transforms are
// applied; points and lines are left out, polygons split into triangles; triangles with
// a corner that is not finite are left out. assimp reads in a child process with limited
// memory and time (TimeLimit, else ModelReadTime), so that a file that would crash or hang
// it, or make it allocate without bound, is refused as Damaged with the reason in the detail.
// Raises EInvalidGraphic: NotAPicture for content of no model format, Damaged for a file
// assimp cannot read or one without a triangle left ("Modell enthält keine Dreiecke"),
// Unsupported for a feature assimp does not read, TooLarge past the limits above.
TMesh ReadModel(std::span<const std::uint8_t> Bytes, const std::string& Name, const std::string& Folder = {},
                std::optional<std::chrono::milliseconds> TimeLimit = std::nullopt);

// The time assimp gets for a file of Size bytes before it counts as hung: ten seconds, and
// a second more for every 8 MiB.
std::chrono::milliseconds ModelReadTime(std::size_t Size);

// Reads a model file, looking up the files it refers to beside it. A file that cannot be
// opened or read raises EFileError; everything else as ReadModel.
TMesh ReadModelFile(const std::string& FileName);
