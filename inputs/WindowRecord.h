// The window's record of a picture it made: the options of stereogramm-cli that make the
// same picture again, as the command line records its own.
#pragma once

#include <cstdint>
#include <string>

#include "DepthRasterizer.h"
#include "DepthReading.h"
#include "PictureSource.h"
#include "Stereogram.h"
#include "TextDepth.h"

// The depth map as the window got it: a sample or a picture file, a model file or a text,
// the last two rendered at the output size of the moment.
struct TWindowDepthSource {
    enum class TKind : std::uint8_t { Picture, Model, Text };
    TKind Kind = TKind::Picture;
    TPictureSource Picture;  // for Picture and Model
    std::string Text;        // for Text: UTF-8, lines separated by '\n'
    std::string Font;        // for Text: a font name
    TReliefProfile Profile = TReliefProfile::Round;  // for Text
    TModelView View;         // for Model: how it is turned and seen

    bool operator==(const TWindowDepthSource&) const = default;
};

// Every setting the window can change, then --seed. The command line starts from the
// window's start settings and applies its options one after another, each through the
// generator's setters, so the order is chosen for the values to end up as they are here:
// the pictures first (a depth map enlarges Width and Height), the kind before the
// oversampling it limits, Width and Height after the pictures, DPI after Width and Height
// (they limit it). A model or text depth map is rendered at the output size, so the size
// it was rendered at also comes before it, and so do a text's relief and a model's camera
// and turn when they are not the start ones. The large size limit comes first, when on.
// The viewing aids, and how the depth map is read, are written only when on. Values a
// shell would split or expand are quoted.
std::string WindowRecordOptions(const TStereogram& Stereogram, const TWindowDepthSource& DepthMap,
                                const TPictureSource& MaskMap, std::uint32_t Seed, const TDepthReading& Reading = {});
