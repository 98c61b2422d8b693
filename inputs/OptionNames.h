// The option names of the generator's kinds, blur strengths and dot colours, and of the
// relief of hidden text and the camera on a model, in both
// directions: the command line reads and prints them, and both front ends record them
// with a picture so that it can be made again.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string_view>

#include "DepthRasterizer.h"
#include "DistanceProfile.h"
#include "Stereogram.h"

template <class E>
struct NamedValue {
    std::string_view Name;
    E Value;
};

inline constexpr std::array<NamedValue<TStereoGramType>, 4> StereoTypeNames{{
    {"fast-random-dot", sgtFastRandomDot},
    {"colored-dot", sgtColoredDot},
    {"random-dot-textured", sgtRandomDotTextured},
    {"textured", sgtTextured},
}};

inline constexpr std::array<NamedValue<TBlurType>, 4> BlurNames{{
    {"none", blurNone},
    {"light", blurLight},
    {"medium", blurMedium},
    {"heavy", blurHeavy},
}};

inline constexpr std::array<NamedValue<TRandomDotColorType>, 2> DotColorNames{{
    {"black-white", dctBlackWhite},
    {"rgb", dctRGB},
}};

inline constexpr std::array<NamedValue<TReliefProfile>, 2> ReliefProfileNames{{
    {"flat", TReliefProfile::Flat},
    {"round", TReliefProfile::Round},
}};

inline constexpr std::array<NamedValue<TProjection>, 2> ProjectionNames{{
    {"orthographic", TProjection::Orthographic},
    {"perspective", TProjection::Perspective},
}};

template <class E>
std::optional<E> ValueOfName(std::span<const NamedValue<E>> Names, std::string_view Name) {
    for (const auto& Entry : Names)
        if (Entry.Name == Name) return Entry.Value;
    return std::nullopt;
}

template <class E>
std::string_view NameOfValue(std::span<const NamedValue<E>> Names, E Value) {
    for (const auto& Entry : Names)
        if (Entry.Value == Value) return Entry.Name;
    return "?";
}
