#include "TiffFormat.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <vector>
#include <tiffio.h>

#include "InvalidPicture.h"
#include "Samples.h"

namespace {

// libtiff's own buffers hold tag arrays, codec state and at times one raw strip: nothing
// larger than the file. A tag that claims more is refused instead of allocated.
constexpr tmsize_t LeastLibtiffAllocationLimit = 16 * 1024 * 1024;
// Colour samples and the extra ones (alpha, and others that are passed over).
constexpr int MaxSamplesPerPixel = 8;

[[noreturn]] void Damaged(std::string Detail) { ThrowInvalidPicture(TReadFailure::Damaged, "TIFF", std::move(Detail)); }
[[noreturn]] void Unsupported(std::string Detail) { ThrowInvalidPicture(TReadFailure::Unsupported, "TIFF", std::move(Detail)); }

// The file in memory as libtiff sees it: mapped for reading, and read and seek calls that
// never go past its end. Keeps libtiff's first error message.
struct TTiffSource {
    std::span<const std::uint8_t> Data;
    std::uint64_t Position = 0;
    char Error[256] = {};

    [[noreturn]] void Fail(const char* Otherwise) const { Damaged(Error[0] ? Error : Otherwise); }
};

TTiffSource& SourceOf(thandle_t Handle) { return *static_cast<TTiffSource*>(Handle); }

tmsize_t ReadProc(thandle_t Handle, void* Buffer, tmsize_t Size) {
    TTiffSource& S = SourceOf(Handle);
    if (Size < 0) return -1;
    const std::uint64_t Available = S.Position < S.Data.size() ? S.Data.size() - S.Position : 0;
    const auto Count = std::size_t(std::min<std::uint64_t>(std::uint64_t(Size), Available));
    if (Count) std::memcpy(Buffer, S.Data.data() + S.Position, Count);
    S.Position += Count;
    return tmsize_t(Count);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t) { return -1; }

// Offsets wrap as unsigned numbers, so a backward seek from the current position works.
toff_t SeekProc(thandle_t Handle, toff_t Offset, int Whence) {
    TTiffSource& S = SourceOf(Handle);
    switch (Whence) {
        case SEEK_SET: S.Position = Offset; break;
        case SEEK_CUR: S.Position += Offset; break;
        case SEEK_END: S.Position = S.Data.size() + Offset; break;
        default: return toff_t(-1);
    }
    return S.Position;
}

int CloseProc(thandle_t) { return 0; }
toff_t SizeProc(thandle_t Handle) { return SourceOf(Handle).Data.size(); }

// libtiff reads through the mapping of a file opened for reading, and never writes to it.
int MapProc(thandle_t Handle, void** Base, toff_t* Size) {
    TTiffSource& S = SourceOf(Handle);
    *Base = const_cast<std::uint8_t*>(S.Data.data());
    *Size = S.Data.size();
    return 1;
}

void UnmapProc(thandle_t, void*, toff_t) {}

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
// Returning 1 tells libtiff the message is handled, so its default handler prints nothing.
int OnError(TIFF*, void* User, const char* Module, const char* Format, va_list Arguments) {
    TTiffSource& S = *static_cast<TTiffSource*>(User);
    if (S.Error[0]) return 1;
    const int Written = Module && *Module ? std::snprintf(S.Error, sizeof S.Error, "%s: ", Module) : 0;
    if (Written >= 0 && std::size_t(Written) < sizeof S.Error)
        std::vsnprintf(S.Error + Written, sizeof S.Error - std::size_t(Written), Format, Arguments);
    return 1;
}
#pragma GCC diagnostic pop

int OnWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

struct TTiffClose {
    void operator()(TIFF* Tiff) const { TIFFClose(Tiff); }
};
struct TOptionsFree {
    void operator()(TIFFOpenOptions* Options) const { TIFFOpenOptionsFree(Options); }
};
using TTiffHandle = std::unique_ptr<TIFF, TTiffClose>;

TTiffHandle Open(TTiffSource& Source) {
    const std::unique_ptr<TIFFOpenOptions, TOptionsFree> Options(TIFFOpenOptionsAlloc());
    if (!Options) throw std::bad_alloc();
    TIFFOpenOptionsSetMaxSingleMemAlloc(Options.get(), std::max(LeastLibtiffAllocationLimit, tmsize_t(Source.Data.size())));
    TIFFOpenOptionsSetErrorHandlerExtR(Options.get(), OnError, &Source);
    TIFFOpenOptionsSetWarningHandlerExtR(Options.get(), OnWarning, &Source);
    TTiffHandle Tiff(TIFFClientOpenExt("TIFF", "r", &Source, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, MapProc,
                                       UnmapProc, Options.get()));
    if (!Tiff) Source.Fail("not a readable TIFF file");
    return Tiff;
}

enum class TTiffKind : std::uint8_t { Grey, FloatGrey, Rgb, Palette };

struct TTiffLayout {
    TTiffKind Kind = TTiffKind::Grey;
    std::uint32_t Width = 0;
    std::uint32_t Height = 0;
    int Bits = 8;
    int SamplesPerPixel = 1;
    int ColourSamples = 1;      // 3 for RGB
    bool HasAlpha = false;      // the first sample after the colour ones
    bool AssociatedAlpha = false;  // colours already multiplied by their alpha
    bool MinIsWhite = false;
};

int Clamped(std::uint32_t Value) { return int(std::min<std::uint32_t>(Value, INT_MAX)); }

bool BitsFit(TTiffKind Kind, int Bits) {
    switch (Kind) {
        case TTiffKind::FloatGrey: return Bits == 32;
        case TTiffKind::Rgb: return Bits == 8 || Bits == 16;
        case TTiffKind::Palette: return Bits == 1 || Bits == 2 || Bits == 4 || Bits == 8;
        case TTiffKind::Grey: return Bits == 1 || Bits == 2 || Bits == 4 || Bits == 8 || Bits == 16;
    }
    return false;
}

TTiffLayout ReadLayout(TIFF* Tiff) {
    TTiffLayout L;
    std::uint16_t Bits = 1, Samples = 1, Format = SAMPLEFORMAT_UINT, Planar = PLANARCONFIG_CONTIG,
                  Compression = COMPRESSION_NONE, Photometric = 0, ExtraCount = 0;
    std::uint16_t* ExtraKinds = nullptr;
    if (!TIFFGetField(Tiff, TIFFTAG_IMAGEWIDTH, &L.Width) || !TIFFGetField(Tiff, TIFFTAG_IMAGELENGTH, &L.Height))
        Damaged("no picture size");
    if (!TIFFGetField(Tiff, TIFFTAG_PHOTOMETRIC, &Photometric)) Damaged("no photometric interpretation");
    TIFFGetFieldDefaulted(Tiff, TIFFTAG_BITSPERSAMPLE, &Bits);
    TIFFGetFieldDefaulted(Tiff, TIFFTAG_SAMPLESPERPIXEL, &Samples);
    TIFFGetFieldDefaulted(Tiff, TIFFTAG_SAMPLEFORMAT, &Format);
    TIFFGetFieldDefaulted(Tiff, TIFFTAG_PLANARCONFIG, &Planar);
    TIFFGetFieldDefaulted(Tiff, TIFFTAG_COMPRESSION, &Compression);
    TIFFGetFieldDefaulted(Tiff, TIFFTAG_EXTRASAMPLES, &ExtraCount, &ExtraKinds);
    if (L.Width == 0 || L.Height == 0) Damaged("zero width or height");
    if (!TIFFIsCODECConfigured(Compression)) Unsupported("compression scheme " + std::to_string(Compression));
    // libjpeg turns JPEG-compressed YCbCr data into RGB while decoding.
    if (Photometric == PHOTOMETRIC_YCBCR && Compression == COMPRESSION_JPEG) {
        TIFFSetField(Tiff, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        Photometric = PHOTOMETRIC_RGB;
    }
    switch (Photometric) {
        case PHOTOMETRIC_MINISWHITE:
        case PHOTOMETRIC_MINISBLACK: L.Kind = Format == SAMPLEFORMAT_IEEEFP ? TTiffKind::FloatGrey : TTiffKind::Grey; break;
        case PHOTOMETRIC_RGB: L.Kind = TTiffKind::Rgb; L.ColourSamples = 3; break;
        case PHOTOMETRIC_PALETTE: L.Kind = TTiffKind::Palette; break;
        case PHOTOMETRIC_SEPARATED: Unsupported("CMYK colours");
        default: Unsupported("photometric interpretation " + std::to_string(Photometric));
    }
    if (Format != SAMPLEFORMAT_UINT && L.Kind != TTiffKind::FloatGrey) Unsupported("sample format " + std::to_string(Format));
    if (!BitsFit(L.Kind, Bits)) Unsupported(std::to_string(Bits) + "-bit samples");
    if (Samples < L.ColourSamples || Samples > MaxSamplesPerPixel) Unsupported(std::to_string(Samples) + " samples per pixel");
    if (Samples > 1 && Planar != PLANARCONFIG_CONTIG) Unsupported("samples in separate planes");
    L.Bits = Bits;
    L.SamplesPerPixel = Samples;
    L.MinIsWhite = Photometric == PHOTOMETRIC_MINISWHITE;
    // An extra sample without a stated meaning is taken as unassociated alpha, as most readers do.
    L.HasAlpha = Samples > L.ColourSamples && (L.Kind == TTiffKind::Grey || L.Kind == TTiffKind::Rgb);
    L.AssociatedAlpha = L.HasAlpha && ExtraCount > 0 && ExtraKinds[0] == EXTRASAMPLE_ASSOCALPHA;
    CheckPictureSize(Clamped(L.Width), Clamped(L.Height), L.Kind == TTiffKind::Rgb ? 24 : 8);
    return L;
}

// The stored samples of the picture's rows, top to bottom: scan lines of a stripped file
// (libtiff decodes a strip row by row), or a band of tiles one tile high.
class TRowReader {
public:
    TRowReader(TIFF* Tiff, const TTiffLayout& L, const TTiffSource& Source)
        : FTiff(Tiff), FSource(Source), FWidth(L.Width), FHeight(L.Height), FPixelBits(std::uint32_t(L.SamplesPerPixel * L.Bits)),
          FRowBytes((std::uint64_t(L.Width) * FPixelBits + 7) / 8) {
        if (!TIFFIsTiled(Tiff)) {
            FBand.resize(std::size_t(std::max(FRowBytes, TIFFScanlineSize64(Tiff))));
            return;
        }
        if (!TIFFGetField(Tiff, TIFFTAG_TILEWIDTH, &FTileWidth) || !TIFFGetField(Tiff, TIFFTAG_TILELENGTH, &FBandRows) ||
            FTileWidth == 0 || FBandRows == 0)
            Damaged("no tile size");
        if (std::uint64_t(FTileWidth) * FPixelBits % 8 != 0) Unsupported("tiles that end inside a byte");
        CheckPictureSize(Clamped(FTileWidth), Clamped(FBandRows), int(FPixelBits));
        CheckPictureSize(Clamped(FWidth), Clamped(FBandRows), int(FPixelBits));
        FTileRowBytes = TIFFTileRowSize64(Tiff);
        FTile.resize(std::size_t(std::max(TIFFTileSize64(Tiff), FTileRowBytes * FBandRows)));
        FBand.resize(std::size_t(FRowBytes * FBandRows));
    }

    const std::uint8_t* Row(std::uint32_t Y) {
        if (FTileWidth == 0) {
            if (TIFFReadScanline(FTiff, FBand.data(), Y) < 0) FSource.Fail("cannot read a scan line");
            return FBand.data();
        }
        if (Y % FBandRows == 0) ReadBand(Y);
        return FBand.data() + std::size_t(Y % FBandRows * FRowBytes);
    }

private:
    void ReadBand(std::uint32_t Top) {
        const std::uint32_t Rows = std::min(FBandRows, FHeight - Top);
        for (std::uint32_t Left = 0; Left < FWidth; Left += FTileWidth) {
            if (TIFFReadTile(FTiff, FTile.data(), Left, Top, 0, 0) < 0) FSource.Fail("cannot read a tile");
            const std::uint64_t Offset = std::uint64_t(Left) * FPixelBits / 8;  // tiles end on byte boundaries
            const std::uint64_t Bytes = std::min(FTileRowBytes, FRowBytes - Offset);
            for (std::uint32_t R = 0; R < Rows; ++R)
                std::memcpy(FBand.data() + R * FRowBytes + Offset, FTile.data() + R * FTileRowBytes, std::size_t(Bytes));
        }
    }

    TIFF* FTiff;
    const TTiffSource& FSource;
    std::uint32_t FWidth;
    std::uint32_t FHeight;
    std::uint32_t FPixelBits;
    std::uint64_t FRowBytes;
    std::uint32_t FTileWidth = 0;  // 0 for a stripped file
    std::uint32_t FBandRows = 1;
    std::uint64_t FTileRowBytes = 0;
    std::vector<std::uint8_t> FTile;
    std::vector<std::uint8_t> FBand;
};

// Sample Index of a row of Bits-bit samples (16-bit ones in the machine's order, as libtiff gives them).
std::uint32_t SampleAt(const std::uint8_t* Row, std::size_t Index, int Bits) {
    if (Bits == 8) return Row[Index];
    if (Bits == 16) {
        std::uint16_t Value;
        std::memcpy(&Value, Row + 2 * Index, 2);
        return Value;
    }
    const std::size_t Bit = Index * std::size_t(Bits);
    return (Row[Bit / 8] >> (8 - Bits - int(Bit % 8))) & ((1u << Bits) - 1);
}

std::vector<std::uint8_t> EightBitTable(int Bits, bool Inverted) {
    const std::uint32_t Max = (1u << Bits) - 1;
    std::vector<std::uint8_t> Table(Max + 1);
    for (std::uint32_t V = 0; V <= Max; ++V) Table[V] = EightBitSample(Inverted ? Max - V : V, Max);
    return Table;
}

// Grey and RGB samples; colour samples go to the bitmap's blue, green, red order.
TBitmap ReadIntegerSamples(TRowReader& Rows, const TTiffLayout& L) {
    const int Width = int(L.Width), Height = int(L.Height), Colours = L.ColourSamples;
    TBitmap B = L.Kind == TTiffKind::Rgb ? TBitmap(Width, Height, pf24bit) : GreyBitmap(Width, Height);
    const std::vector<std::uint8_t> Colour = EightBitTable(L.Bits, L.MinIsWhite);
    const std::vector<std::uint8_t> Alpha = EightBitTable(L.Bits, false);
    const bool MultiplyAlpha = L.HasAlpha && !L.AssociatedAlpha;
    for (int Y = 0; Y < Height; ++Y) {
        const std::uint8_t* Row = Rows.Row(std::uint32_t(Y));
        std::uint8_t* Out = B.ScanLine(Y);
        for (int X = 0; X < Width; ++X) {
            const std::size_t First = std::size_t(X) * std::size_t(L.SamplesPerPixel);
            const std::uint8_t A = MultiplyAlpha ? Alpha[SampleAt(Row, First + std::size_t(Colours), L.Bits)] : 255;
            for (int C = 0; C < Colours; ++C) {
                const std::uint8_t V = Colour[SampleAt(Row, First + std::size_t(C), L.Bits)];
                Out[X * Colours + Colours - 1 - C] = MultiplyAlpha ? OverBlack(V, A) : V;
            }
        }
    }
    return B;
}

TBitmap ReadPaletteSamples(TIFF* Tiff, TRowReader& Rows, const TTiffLayout& L) {
    std::uint16_t *Red = nullptr, *Green = nullptr, *Blue = nullptr;
    if (!TIFFGetField(Tiff, TIFFTAG_COLORMAP, &Red, &Green, &Blue)) Damaged("no colour map");
    const std::size_t Count = std::size_t(1) << L.Bits;
    // Some writers store 8-bit values in the colour map's 16-bit entries.
    const bool EightBitEntries = std::all_of(Red, Red + Count, [](std::uint16_t V) { return V < 256; }) &&
                                 std::all_of(Green, Green + Count, [](std::uint16_t V) { return V < 256; }) &&
                                 std::all_of(Blue, Blue + Count, [](std::uint16_t V) { return V < 256; });
    const std::uint32_t Max = EightBitEntries ? 255 : 65535;
    std::vector<TColor32> Palette;
    for (std::size_t I = 0; I < Count; ++I)
        Palette.push_back(PackColor(EightBitSample(Red[I], Max), EightBitSample(Green[I], Max), EightBitSample(Blue[I], Max)));
    TBitmap B(int(L.Width), int(L.Height), pf8bit);
    B.SetPalette(std::move(Palette));
    for (int Y = 0; Y < B.Height(); ++Y) {
        const std::uint8_t* Row = Rows.Row(std::uint32_t(Y));
        std::uint8_t* Out = B.ScanLine(Y);
        for (int X = 0; X < B.Width(); ++X)
            Out[X] = std::uint8_t(SampleAt(Row, std::size_t(X) * std::size_t(L.SamplesPerPixel), L.Bits));
    }
    return B;
}

double FloatAt(const std::uint8_t* Row, int X, int SamplesPerPixel) {
    float Value;
    std::memcpy(&Value, Row + std::size_t(X) * std::size_t(SamplesPerPixel) * 4, 4);
    return double(Value);
}

// Floating-point grey spread over the picture's own range: its least finite value becomes
// black, its greatest white. Not-a-number, the infinities and a flat picture give black.
// Two passes over the file keep memory to the 8-bit result.
TBitmap ReadFloatSamples(TRowReader& Rows, const TTiffLayout& L) {
    const int Width = int(L.Width), Height = int(L.Height);
    double Least = HUGE_VAL, Greatest = -HUGE_VAL;
    for (int Y = 0; Y < Height; ++Y) {
        const std::uint8_t* Row = Rows.Row(std::uint32_t(Y));
        for (int X = 0; X < Width; ++X) {
            const double V = FloatAt(Row, X, L.SamplesPerPixel);
            if (!std::isfinite(V)) continue;
            Least = std::min(Least, V);
            Greatest = std::max(Greatest, V);
        }
    }
    const double Range = Greatest - Least;
    TBitmap B = GreyBitmap(Width, Height);
    for (int Y = 0; Y < Height; ++Y) {
        const std::uint8_t* Row = Rows.Row(std::uint32_t(Y));
        std::uint8_t* Out = B.ScanLine(Y);
        for (int X = 0; X < Width; ++X) {
            const double V = FloatAt(Row, X, L.SamplesPerPixel);
            if (!std::isfinite(V) || !(Range > 0)) continue;
            const auto Level = std::uint8_t(std::lround((V - Least) * 255 / Range));
            Out[X] = L.MinIsWhite ? std::uint8_t(255 - Level) : Level;
        }
    }
    return B;
}

}  // namespace

TBitmap ReadTiff(std::span<const std::uint8_t> Data) {
    TTiffSource Source{Data};
    const TTiffHandle Tiff = Open(Source);
    const TTiffLayout Layout = ReadLayout(Tiff.get());
    TRowReader Rows(Tiff.get(), Layout, Source);
    switch (Layout.Kind) {
        case TTiffKind::Palette: return ReadPaletteSamples(Tiff.get(), Rows, Layout);
        case TTiffKind::FloatGrey: return ReadFloatSamples(Rows, Layout);
        case TTiffKind::Grey:
        case TTiffKind::Rgb: break;
    }
    return ReadIntegerSamples(Rows, Layout);
}
