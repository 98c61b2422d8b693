// The built-in depth maps and textures as both front ends name them: how many there are
// (from the catalogue), their resource names ("Bei7", "Bild3") and the window's list
// entries ("Beispiel 7", "Maske 3").
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
std::string SampleListEntry(TPictureRole Role, int Number);
