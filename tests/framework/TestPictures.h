// Small pictures made in the tests: JPEG data encoded with libjpeg, and temporary folders.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "Bitmap.h"

// A Width × Height colour ramp: red grows to the right, green downwards, blue is 128.
TBitmap ColourRamp(int Width, int Height);

struct TJpegEncodeOptions {
    bool Grey = false;         // one component
    bool Progressive = false;
    int Quality = 95;
};
std::vector<std::uint8_t> EncodeJpeg(const TBitmap& Picture, const TJpegEncodeOptions& Options = {});

void WriteBytes(const std::filesystem::path& File, const std::vector<std::uint8_t>& Bytes);

// A fresh folder below the system's temporary folder, removed with the object.
class TTempDir {
public:
    TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    ~TTempDir();
    std::string File(const std::string& Name) const { return (FPath / Name).string(); }
    const std::filesystem::path& Path() const { return FPath; }

private:
    std::filesystem::path FPath;
};
