#include "AnimationReadBack.h"

#include <gif_lib.h>
#include <gtest/gtest.h>
#include <webp/demux.h>

#include "Color.h"
#include "PictureFiles.h"

namespace {

TBitmap FromRgba(const std::uint8_t* Rgba, int Width, int Height) {
    TBitmap B(Width, Height);
    for (int Y = 0; Y < Height; ++Y)
        for (int X = 0; X < Width; ++X, Rgba += 4) B.SetPixel(X, Y, PackColor(Rgba[0], Rgba[1], Rgba[2]));
    return B;
}

}  // namespace

TReadBack ReadWebP(const std::string& File) {
    const std::vector<std::uint8_t> Bytes = ReadPictureFileBytes(File);
    const WebPData Data{Bytes.data(), Bytes.size()};
    WebPAnimDecoderOptions Options;
    WebPAnimDecoderOptionsInit(&Options);
    Options.color_mode = MODE_RGBA;
    WebPAnimDecoder* Decoder = WebPAnimDecoderNew(&Data, &Options);
    WebPAnimInfo Info;
    TReadBack Result;
    EXPECT_TRUE(Decoder && WebPAnimDecoderGetInfo(Decoder, &Info));
    std::uint8_t* Canvas = nullptr;
    int Timestamp = 0, Previous = 0;
    while (Decoder && WebPAnimDecoderGetNext(Decoder, &Canvas, &Timestamp)) {
        Result.Frames.push_back(FromRgba(Canvas, int(Info.canvas_width), int(Info.canvas_height)));
        Result.StartsMs.push_back(Previous);
        Previous = Timestamp;  // the decoder gives the end of each frame
    }
    WebPAnimDecoderDelete(Decoder);
    return Result;
}

TReadBack ReadGif(const std::string& File) {
    int Error = 0;
    GifFileType* Gif = DGifOpenFileName(File.c_str(), &Error);
    TReadBack Result;
    if (!Gif || DGifSlurp(Gif) != GIF_OK) {
        ADD_FAILURE() << "GIF unreadable";
        return Result;
    }
    int Start = 0;
    for (int I = 0; I < Gif->ImageCount; ++I) {
        const SavedImage& Image = Gif->SavedImages[I];
        const ColorMapObject* Map = Image.ImageDesc.ColorMap ? Image.ImageDesc.ColorMap : Gif->SColorMap;
        TBitmap B(Gif->SWidth, Gif->SHeight);
        for (int Y = 0; Y < Image.ImageDesc.Height; ++Y)
            for (int X = 0; X < Image.ImageDesc.Width; ++X) {
                const GifColorType C = Map->Colors[Image.RasterBits[Y * Image.ImageDesc.Width + X]];
                B.SetPixel(X, Y, PackColor(C.Red, C.Green, C.Blue));
            }
        Result.Frames.push_back(std::move(B));
        Result.StartsMs.push_back(Start);
        GraphicsControlBlock Control;
        if (DGifSavedExtensionToGCB(Gif, I, &Control) == GIF_OK) Start += Control.DelayTime * 10;
    }
    DGifCloseFile(Gif, &Error);
    return Result;
}

