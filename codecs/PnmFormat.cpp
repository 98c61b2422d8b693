#include "PnmFormat.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "Bitmap24.h"
#include "InvalidPicture.h"
#include "Samples.h"

namespace {

constexpr std::uint32_t MaxSampleValue = 65535;

[[noreturn]] void Damaged(std::string Detail) { ThrowInvalidPicture(TReadFailure::Damaged, "PNM", std::move(Detail)); }

bool IsSpace(std::uint8_t C) { return C == ' ' || C == '\t' || C == '\n' || C == '\r' || C == '\v' || C == '\f'; }
bool IsDigit(std::uint8_t C) { return C >= '0' && C <= '9'; }

// Walks the header and the plain formats' samples: numbers between white space and
// comments (from '#' to the end of the line).
class TPnmScanner {
public:
    TPnmScanner(std::span<const std::uint8_t> Data, std::size_t Position) : FData(Data), FPosition(Position) {}

    // The next decimal number; larger values than an unsigned 32-bit number stop growing.
    std::uint32_t Number(const char* What) {
        SkipSpaceAndComments();
        if (FPosition == FData.size() || !IsDigit(FData[FPosition])) Damaged(std::string("expected a number for the ") + What);
        std::uint64_t Value = 0;
        while (FPosition < FData.size() && IsDigit(FData[FPosition]))
            Value = std::min<std::uint64_t>(Value * 10 + (FData[FPosition++] - '0'), UINT32_MAX);
        return std::uint32_t(Value);
    }

    // The next bit of a plain bitmap: '0' or '1', with or without white space between them.
    bool Bit() {
        SkipSpaceAndComments();
        if (FPosition == FData.size() || (FData[FPosition] != '0' && FData[FPosition] != '1')) Damaged("expected 0 or 1 for a pixel");
        return FData[FPosition++] == '1';
    }

    // The single white-space character between a binary format's header and its pixels.
    void EndOfHeader() {
        if (FPosition == FData.size() || !IsSpace(FData[FPosition])) Damaged("no white space after the header");
        ++FPosition;
    }

    std::size_t Remaining() const { return FData.size() - FPosition; }

    // Takes Length bytes that the caller has checked are there.
    const std::uint8_t* Take(std::size_t Length) {
        const std::uint8_t* Bytes = FData.data() + FPosition;
        FPosition += Length;
        return Bytes;
    }

private:
    void SkipSpaceAndComments() {
        while (FPosition < FData.size()) {
            if (FData[FPosition] == '#') {
                while (FPosition < FData.size() && FData[FPosition] != '\n' && FData[FPosition] != '\r') ++FPosition;
            } else if (IsSpace(FData[FPosition])) {
                ++FPosition;
            } else {
                return;
            }
        }
    }

    std::span<const std::uint8_t> FData;
    std::size_t FPosition;
};

struct TPnmHeader {
    char Kind = '1';  // the digit after 'P'
    int Width = 0;
    int Height = 0;
    std::uint32_t MaxValue = 1;

    bool Plain() const { return Kind <= '3'; }
    bool IsBitmap() const { return Kind == '1' || Kind == '4'; }
    int Channels() const { return Kind == '3' || Kind == '6' ? 3 : 1; }
    TPixelFormat Format() const { return IsBitmap() ? pf1bit : Channels() == 1 ? pf8bit : pf24bit; }
    std::size_t SampleBytes() const { return MaxValue > 255 ? 2 : 1; }
    std::size_t SamplesPerRow() const { return std::size_t(Width) * std::size_t(Channels()); }
    // The least number of bytes that can hold the pixels: binary rows as they are stored;
    // plain samples each need a digit, and white space between them (bitmaps need none).
    std::uint64_t LeastPixelBytes() const {
        const std::uint64_t Rows = std::uint64_t(Height);
        if (Kind == '4') return std::uint64_t((Width + 7) / 8) * Rows;
        if (Kind == '1') return std::uint64_t(Width) * Rows;
        if (Plain()) return 2 * SamplesPerRow() * Rows - 1;
        return SamplesPerRow() * SampleBytes() * Rows;
    }
};

int Dimension(std::uint32_t Value) { return int(std::min<std::uint32_t>(Value, INT32_MAX)); }

TPnmHeader ReadHeader(TPnmScanner& Scanner, char Kind) {
    TPnmHeader H;
    H.Kind = Kind;
    H.Width = Dimension(Scanner.Number("width"));
    H.Height = Dimension(Scanner.Number("height"));
    if (!H.IsBitmap()) H.MaxValue = Scanner.Number("maximum sample value");
    if (H.Width == 0 || H.Height == 0) Damaged("zero width or height");
    if (H.MaxValue == 0 || H.MaxValue > MaxSampleValue)
        Damaged("maximum sample value " + std::to_string(H.MaxValue) + " outside 1 to 65535");
    CheckPictureSize(H.Width, H.Height, BitsPerPixel(H.Format()));
    if (!H.Plain()) Scanner.EndOfHeader();
    if (Scanner.Remaining() < H.LeastPixelBytes())
        Damaged("pixel data cut short: " + std::to_string(Scanner.Remaining()) + " bytes for " + std::to_string(H.Width) + " x " +
                std::to_string(H.Height) + " pixels");
    return H;
}

void ReadBinaryBitmap(TPnmScanner& Scanner, TBitmap& B) {
    const std::size_t RowBytes = std::size_t(B.Width() + 7) / 8;
    for (int Y = 0; Y < B.Height(); ++Y) std::memcpy(B.ScanLine(Y), Scanner.Take(RowBytes), RowBytes);
}

void ReadPlainBitmap(TPnmScanner& Scanner, TBitmap& B) {
    for (int Y = 0; Y < B.Height(); ++Y) {
        std::uint8_t* Row = B.ScanLine(Y);
        for (int X = 0; X < B.Width(); ++X)
            if (Scanner.Bit()) Row[X >> 3] = std::uint8_t(Row[X >> 3] | (0x80u >> (X & 7)));
    }
}

// Grey and colour samples from NextSample, through the table of their 8-bit values; a
// pixmap's red, green, blue go to the bitmap's blue, green, red bytes.
template <class TNextSample>
void ReadSamples(const TPnmHeader& H, TBitmap& B, TNextSample NextSample) {
    std::vector<std::uint8_t> EightBits(H.MaxValue + 1);
    for (std::uint32_t V = 0; V <= H.MaxValue; ++V) EightBits[V] = EightBitSample(V, H.MaxValue);
    const int Channels = H.Channels();
    for (int Y = 0; Y < B.Height(); ++Y) {
        std::uint8_t* Row = B.ScanLine(Y);
        for (int X = 0; X < B.Width(); ++X)
            for (int C = Channels - 1; C >= 0; --C) Row[X * Channels + C] = EightBits[std::min(NextSample(), H.MaxValue)];
    }
}

}  // namespace

TBitmap ReadPnm(std::span<const std::uint8_t> Data) {
    if (Data.size() < 2 || Data[0] != 'P' || Data[1] < '1' || Data[1] > '6')
        ThrowInvalidPicture(TReadFailure::NotAPicture, "PNM", "no PNM signature");
    TPnmScanner Scanner(Data, 2);
    const TPnmHeader H = ReadHeader(Scanner, char(Data[1]));
    TBitmap B = H.IsBitmap() ? TBitmap(H.Width, H.Height, pf1bit) : H.Channels() == 1 ? GreyBitmap(H.Width, H.Height)
                                                                                        : TBitmap(H.Width, H.Height, pf24bit);
    switch (H.Kind) {
        case '1': ReadPlainBitmap(Scanner, B); break;
        case '4': ReadBinaryBitmap(Scanner, B); break;
        case '2':
        case '3': ReadSamples(H, B, [&] { return Scanner.Number("sample"); }); break;
        default:
            ReadSamples(H, B, [&, Wide = H.SampleBytes() == 2] {
                const std::uint8_t* S = Scanner.Take(Wide ? 2 : 1);
                return Wide ? std::uint32_t(S[0] << 8 | S[1]) : std::uint32_t(S[0]);
            });
    }
    if (H.IsBitmap()) B.SetPalette({clWhite, clBlack});
    return B;
}

std::vector<std::uint8_t> WritePpm(const TBitmap& Bitmap) {
    TBitmap Scratch;
    const TBitmap& B = As24Bit(Bitmap, Scratch);
    const std::string Header = "P6\n" + std::to_string(B.Width()) + " " + std::to_string(B.Height()) + "\n255\n";
    std::vector<std::uint8_t> Out(Header.begin(), Header.end());
    Out.reserve(Out.size() + std::size_t(B.Width()) * std::size_t(B.Height()) * 3);
    for (int Y = 0; Y < B.Height(); ++Y) {
        const std::uint8_t* Row = B.ScanLine(Y);
        for (int X = 0; X < B.Width(); ++X) Out.insert(Out.end(), {Row[3 * X + 2], Row[3 * X + 1], Row[3 * X]});
    }
    return Out;
}
