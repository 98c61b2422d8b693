#include "GifFormat.h"

#include <algorithm>
#include <cstring>
#include <gif_lib.h>
#include <memory>
#include <string>
#include <vector>

#include "InvalidPicture.h"

namespace {

[[noreturn]] void Damaged(std::string Detail) { ThrowInvalidPicture(TReadFailure::Damaged, "GIF", std::move(Detail)); }

[[noreturn]] void Failed(int Error) {
    const char* Reason = GifErrorString(Error);
    Damaged(Reason ? Reason : "error " + std::to_string(Error));
}

struct TGifSource {
    std::span<const std::uint8_t> Data;
    std::size_t Position = 0;
};

int ReadBytes(GifFileType* Gif, GifByteType* Buffer, int Length) {
    TGifSource& S = *static_cast<TGifSource*>(Gif->UserData);
    const std::size_t Count = std::min(std::size_t(std::max(Length, 0)), S.Data.size() - S.Position);
    if (Count) std::memcpy(Buffer, S.Data.data() + S.Position, Count);
    S.Position += Count;
    return int(Count);
}

struct TGifClose {
    void operator()(GifFileType* Gif) const {
        int Error = 0;
        DGifCloseFile(Gif, &Error);
    }
};

// An extension block: a graphic control block gives the transparent colour of the frame
// after it; every other block is passed over.
int ReadExtension(GifFileType* Gif, int Transparent) {
    int Code = 0;
    GifByteType* Block = nullptr;
    if (DGifGetExtension(Gif, &Code, &Block) == GIF_ERROR) Failed(Gif->Error);
    GraphicsControlBlock Control;
    if (Code == GRAPHICS_EXT_FUNC_CODE && Block && DGifExtensionToGCB(Block[0], Block + 1, &Control) == GIF_OK)
        Transparent = Control.TransparentColor;
    while (Block)
        if (DGifGetExtensionNext(Gif, &Block) == GIF_ERROR) Failed(Gif->Error);
    return Transparent;
}

// The frame row that the K-th decoded row of an interlaced frame of Height rows is.
int InterlacedRow(int K, int Height) {
    constexpr int Start[] = {0, 4, 2, 1};
    constexpr int Step[] = {8, 8, 4, 2};
    for (int Pass = 0; Pass < 4; ++Pass) {
        const int Rows = std::max(0, (Height - Start[Pass] + Step[Pass] - 1) / Step[Pass]);
        if (K < Rows) return Start[Pass] + K * Step[Pass];
        K -= Rows;
    }
    return K;
}

// The first frame on a black screen of the size the file gives.
TBitmap ReadFirstFrame(GifFileType* Gif, int Transparent) {
    if (DGifGetImageDesc(Gif) == GIF_ERROR) Failed(Gif->Error);
    const GifImageDesc& Frame = Gif->Image;
    const ColorMapObject* Colours = Frame.ColorMap ? Frame.ColorMap : Gif->SColorMap;
    if (!Colours) Damaged("no colour table");
    const int ScreenWidth = Gif->SWidth, ScreenHeight = Gif->SHeight;
    const int VisibleColumns = std::clamp(ScreenWidth - Frame.Left, 0, Frame.Width);
    const auto ScreenRow = [&](int K) { return Frame.Top + (Frame.Interlace ? InterlacedRow(K, Frame.Height) : K); };

    // The rows' on-screen parts in the order they arrive, growing with the data read.
    std::vector<GifPixelType> Line(std::size_t(std::max(Frame.Width, 1)));
    std::vector<GifPixelType> Visible;
    for (int K = 0; K < Frame.Height && Frame.Width > 0; ++K) {
        if (DGifGetLine(Gif, Line.data(), Frame.Width) == GIF_ERROR) Failed(Gif->Error);
        if (ScreenRow(K) < ScreenHeight) Visible.insert(Visible.end(), Line.begin(), Line.begin() + VisibleColumns);
    }

    TBitmap Screen(ScreenWidth, ScreenHeight, pf24bit);
    auto Next = Visible.cbegin();
    for (int K = 0; K < Frame.Height && Frame.Width > 0; ++K) {
        const int Y = ScreenRow(K);
        if (Y >= ScreenHeight) continue;
        std::uint8_t* Row = Screen.ScanLine(Y);
        for (int X = Frame.Left; X < Frame.Left + VisibleColumns; ++X) {
            const int Index = *Next++;
            if (Index == Transparent || Index >= Colours->ColorCount) continue;
            const GifColorType& C = Colours->Colors[Index];
            Row[3 * X] = C.Blue;
            Row[3 * X + 1] = C.Green;
            Row[3 * X + 2] = C.Red;
        }
    }
    return Screen;
}

}  // namespace

TBitmap ReadGif(std::span<const std::uint8_t> Data) {
    TGifSource Source{Data};
    int Error = 0;
    const std::unique_ptr<GifFileType, TGifClose> Gif(DGifOpen(&Source, ReadBytes, &Error));
    if (!Gif) Failed(Error);
    if (Gif->SWidth <= 0 || Gif->SHeight <= 0) Damaged("empty logical screen");
    CheckPictureSize(Gif->SWidth, Gif->SHeight, 24);
    int Transparent = NO_TRANSPARENT_COLOR;
    for (;;) {
        GifRecordType Record = UNDEFINED_RECORD_TYPE;
        if (DGifGetRecordType(Gif.get(), &Record) == GIF_ERROR) Failed(Gif->Error);
        switch (Record) {
            case EXTENSION_RECORD_TYPE: Transparent = ReadExtension(Gif.get(), Transparent); break;
            case IMAGE_DESC_RECORD_TYPE: return ReadFirstFrame(Gif.get(), Transparent);
            case TERMINATE_RECORD_TYPE: Damaged("no picture in the file");
            default: Damaged("unknown record");
        }
    }
}
