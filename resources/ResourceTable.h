// The table of embedded resources that the build generates from the files of this folder.
#pragma once

#include <cstddef>
#include <span>

struct TResourceEntry {
    const char* Type;
    const char* Name;
    const unsigned char* Begin;
    const unsigned char* End;
};

std::span<const TResourceEntry> ResourceTable();
