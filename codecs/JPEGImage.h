// A JPEG picture: keeps the compressed bytes, knows its size from the header and decodes
// on demand under its options. Decoding draws onto a TBitmap.
#pragma once

#include <cstdint>
#include <istream>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "Graphic.h"
#include "JpegCodec.h"

enum TJPEGPixelFormat : std::uint8_t { jf24Bit, jf8Bit };
enum TJPEGScale : std::uint8_t { jsFullSize, jsHalf, jsQuarter, jsEighth };
enum TJPEGPerformance : std::uint8_t { jpBestQuality, jpBestSpeed };

// Defaults: 24 bits, full size, colour, best quality (accurate inverse transform, default
// dithering), progressive display off. Block smoothing always stays at the decoder's
// default (on). Greyscale data decodes to 8-bit grey whatever the pixel format; CMYK data
// to 24-bit colour whatever the pixel format and greyscale option.
class TJPEGImage : public TGraphic {
public:
    // Replaces the picture by the JPEG data; raises EInvalidGraphic when the header cannot
    // be read or claims a picture past the size limits. Data after a readable header is
    // checked only when decoding.
    void LoadFromBytes(std::span<const std::uint8_t> Data);
    void LoadFromStream(std::istream& Stream);

    // Size of the decoded output, that is after scaling.
    int Width() const override;
    int Height() const override;
    bool Empty() const override { return Width() == 0 || Height() == 0; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TJPEGImage>(*this); }
    // Both decode on demand; a decoder error raises EInvalidGraphic.
    void Draw(TBitmap& Target, int X, int Y) const override;
    void AssignTo(TBitmap& Dest) const override { Dest = Decoded().Bitmap; }

    // The decoder's warnings (English) of the picture decoded last, such as a file cut
    // short; empty until a decode.
    std::vector<std::string> DecodeWarnings() const { return FDecoded ? FDecoded->Warnings : std::vector<std::string>{}; }

    // Number of colour components in the data: 1 for a greyscale JPEG.
    int Components() const { return FComponents; }

    // Changing any of these four drops a picture already decoded.
    TJPEGPixelFormat PixelFormat() const { return FPixelFormat; }
    void SetPixelFormat(TJPEGPixelFormat Value);
    TJPEGScale Scale() const { return FScale; }
    void SetScale(TJPEGScale Value);
    bool Grayscale() const { return FGrayscale; }
    void SetGrayscale(bool Value);
    TJPEGPerformance Performance() const { return FPerformance; }
    void SetPerformance(TJPEGPerformance Value);

    // Without a display that could show intermediate passes, a picture is always decoded
    // completely; the option is kept for those who set it.
    bool ProgressiveDisplay() const { return FProgressiveDisplay; }
    void SetProgressiveDisplay(bool Value) { FProgressiveDisplay = Value; }

private:
    const TJpegDecoded& Decoded() const;
    template <class T>
    void SetDecodeOption(T& Field, T Value);

    // Compressed bytes and the decoded picture are immutable once made, so copies share them.
    std::shared_ptr<const std::vector<std::uint8_t>> FData;
    mutable std::shared_ptr<const TJpegDecoded> FDecoded;
    int FImageWidth = 0;
    int FImageHeight = 0;
    int FComponents = 0;
    TJPEGPixelFormat FPixelFormat = jf24Bit;
    TJPEGScale FScale = jsFullSize;
    bool FGrayscale = false;
    TJPEGPerformance FPerformance = jpBestQuality;
    bool FProgressiveDisplay = false;
};
