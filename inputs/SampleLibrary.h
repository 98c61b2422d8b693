// The built-in depth maps and textures as both front ends name them: how many there are
// (from the catalogue) and their resource names ("Bei7", "Bild3"). The window words its
// list entries in its own language.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "SampleCatalog.h"

// A picture's job in the generator: the depth map, or the texture (mask map).
enum class TPictureRole : std::uint8_t { DepthMap, Texture };

std::span<const resources::SampleInfo> Samples(TPictureRole Role);
int SampleCount(TPictureRole Role);
bool IsSampleNumber(TPictureRole Role, int Number);
std::string SampleResourceName(TPictureRole Role, int Number);
