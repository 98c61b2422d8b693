#include "JPEGImage.h"

#include <iterator>

#include "Exception.h"

namespace {

int ScaleDenominator(TJPEGScale Scale) { return 1 << int(Scale); }

// The decoder's rounding: a scaled side is the full side divided, rounded up.
int ScaledSide(int Side, TJPEGScale Scale) {
    const int Denominator = ScaleDenominator(Scale);
    return (Side + Denominator - 1) / Denominator;
}

}  // namespace

void TJPEGImage::LoadFromBytes(std::span<const std::uint8_t> Data) {
    auto Bytes = std::make_shared<const std::vector<std::uint8_t>>(Data.begin(), Data.end());
    const TJpegHeader Header = ReadJpegHeader(*Bytes);
    FData = std::move(Bytes);
    FDecoded.reset();
    FImageWidth = Header.Width;
    FImageHeight = Header.Height;
    FComponents = Header.Components;
}

void TJPEGImage::LoadFromStream(std::istream& Stream) {
    const std::vector<std::uint8_t> Bytes{std::istreambuf_iterator<char>(Stream), std::istreambuf_iterator<char>()};
    if (Stream.bad()) throw Exception("JPEG-Daten können nicht gelesen werden");
    LoadFromBytes(Bytes);
}

int TJPEGImage::Width() const { return ScaledSide(FImageWidth, FScale); }
int TJPEGImage::Height() const { return ScaledSide(FImageHeight, FScale); }

void TJPEGImage::Draw(TBitmap& Target, int X, int Y) const {
    if (Empty()) return;
    Decoded().Bitmap.Draw(Target, X, Y);
}

const TJpegDecoded& TJPEGImage::Decoded() const {
    if (!FDecoded) {
        if (!FData) return *(FDecoded = std::make_shared<const TJpegDecoded>());
        const TJpegDecodeOptions Options{FPixelFormat == jf8Bit, ScaleDenominator(FScale), FGrayscale,
                                         FPerformance == jpBestSpeed};
        FDecoded = std::make_shared<const TJpegDecoded>(DecodeJpeg(*FData, Options));
    }
    return *FDecoded;
}

template <class T>
void TJPEGImage::SetDecodeOption(T& Field, T Value) {
    if (Field == Value) return;
    Field = Value;
    FDecoded.reset();
}

void TJPEGImage::SetPixelFormat(TJPEGPixelFormat Value) { SetDecodeOption(FPixelFormat, Value); }
void TJPEGImage::SetScale(TJPEGScale Value) { SetDecodeOption(FScale, Value); }
void TJPEGImage::SetGrayscale(bool Value) { SetDecodeOption(FGrayscale, Value); }
void TJPEGImage::SetPerformance(TJPEGPerformance Value) { SetDecodeOption(FPerformance, Value); }
