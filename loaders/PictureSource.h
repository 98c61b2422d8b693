// Where a depth map or texture comes from, as the command line names it and both front ends
// record it: nothing ("none"), a built-in sample ("sample:N" for depth maps, "texture:N"
// for textures) or a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "PictureReader.h"
#include "SampleLibrary.h"

struct TPictureSource {
    enum class TKind : std::uint8_t { None, Sample, File };
    TKind From = TKind::None;
    int Number = 0;        // the built-in sample's number, for Sample
    std::string FileName;  // for File

    bool operator==(const TPictureSource&) const = default;
};

// "sample:" or "texture:".
std::string_view SamplePrefix(TPictureRole Role);

// The source Text names; nothing for empty text or a sample prefix followed by anything
// but the number of a built-in picture.
std::optional<TPictureSource> ParsePictureSource(std::string_view Text, TPictureRole Role);
// The text that parses back to Source.
std::string PictureSourceText(const TPictureSource& Source, TPictureRole Role);

// The picture of Source: an empty picture for None. A file raises as ReadPicture does.
TPictureRead LoadPictureSource(const TPictureSource& Source, TPictureRole Role);
