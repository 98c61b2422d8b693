// Small pictures made in the tests: JPEG data encoded with libjpeg, a graphic of another
// kind, the fixture files, and temporary folders.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Graphic.h"

// A Width × Height colour ramp: red grows to the right, green downwards, blue is 128.
TBitmap ColourRamp(int Width, int Height);

// The largest and the mean difference of a channel between two pictures of the same size.
struct TDifference {
    int Largest = 0;
    double Mean = 0;
};
TDifference Difference(const TBitmap& A, const TBitmap& B);

struct TJpegEncodeOptions {
    bool Grey = false;         // one component
    bool Progressive = false;
    int Quality = 95;
    bool AdobeMarker = true;   // CMYK only: Adobe's marker, which says the inks are stored inverted
};
std::vector<std::uint8_t> EncodeJpeg(const TBitmap& Picture, const TJpegEncodeOptions& Options = {});
// A picture of one colour stored as the four CMYK samples Stored.
std::vector<std::uint8_t> EncodeCmykJpeg(int Width, int Height, std::array<std::uint8_t, 4> Stored,
                                         const TJpegEncodeOptions& Options = {});

// A graphic of a kind that is neither a bitmap nor a JPEG picture: taken as a bitmap it is empty.
class TOtherGraphic : public TGraphic {
public:
    int Width() const override { return 4; }
    int Height() const override { return 4; }
    bool Empty() const override { return false; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TOtherGraphic>(); }
    void Draw(TBitmap&, int, int) const override {}
    void AssignTo(TBitmap& Dest) const override { Dest = TBitmap(); }
};

void WriteBytes(const std::filesystem::path& File, const std::vector<std::uint8_t>& Bytes);

// A fixture file of tests/data, by its name.
std::string TestDataFile(const std::string& Name);

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
