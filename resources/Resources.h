// Named resources built into the program: the sample JPEG files, type "JPEG" and the
// file's name without extension (BEI1 … BEI28, BILD1 … BILD14). Type and name are
// looked up ignoring letter case.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

using TResourceBytes = std::span<const std::uint8_t>;

// The resource's bytes, or nothing when there is no such resource.
std::optional<TResourceBytes> FindResource(std::string_view Type, std::string_view Name);

// The resource's bytes; a missing resource raises Exception naming it.
TResourceBytes LoadResource(std::string_view Type, std::string_view Name);
