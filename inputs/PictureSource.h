// Where a depth map or texture comes from, as the command line names it and both front ends
// record it: nothing ("none"), a built-in sample ("sample:N" for depth maps, "texture:N"
// for textures), hidden text ("text:WORDS", depth maps only), the depth revealed from a
// stereogram file ("reveal:FILE", depth maps only) or a file.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "DepthRasterizer.h"
#include "PictureReader.h"
#include "SampleLibrary.h"
#include "TextDepth.h"

struct TPictureSource {
    enum class TKind : std::uint8_t { None, Sample, File, Text, Reveal };
    TKind From = TKind::None;
    int Number = 0;        // the built-in sample's number, for Sample
    std::string FileName;  // for File and Reveal; for Text the words, lines separated by '\n'

    bool operator==(const TPictureSource&) const = default;
};

// "sample:" or "texture:".
std::string_view SamplePrefix(TPictureRole Role);

// The source Text names; nothing for empty text or a sample prefix followed by anything
// but the number of a built-in picture. In "text:WORDS" the two characters \n stand for a
// line break and \\ for a backslash, as they are typed in a shell.
std::optional<TPictureSource> ParsePictureSource(std::string_view Text, TPictureRole Role);
// The text that parses back to Source.
std::string PictureSourceText(const TPictureSource& Source, TPictureRole Role);

// How hidden text and 3D models become a depth map: its size and their look.
struct TDepthShape {
    int Width = 0, Height = 0;  // 0: a file is read as a picture only
    TTextDepthOptions Text;
    TModelView View;
    bool CrossEyed = false;  // a revealed depth map: smaller separations are far
};

// The picture of Source: an empty picture for None. A file raises as ReadPicture does; a
// depth map file with a Shape of some size may also be a model (ReadDepthFile). Text is
// drawn at Shape's size and raises as RenderTextDepth does; a revealed depth map raises as
// RevealDepthFile does.
TPictureRead LoadPictureSource(const TPictureSource& Source, TPictureRole Role, const TDepthShape& Shape = {});
