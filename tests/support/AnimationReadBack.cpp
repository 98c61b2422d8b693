#include "AnimationReadBack.h"

extern "C" {
#include <libavformat/avformat.h>
}
#include <cctype>
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

// The stereogramm:Key="Value" attributes of an XMP packet, their references resolved.
std::map<std::string, std::string> XmpProperties(const std::string& Xmp) {
    std::map<std::string, std::string> Properties;
    const std::string Prefix = "stereogramm:";
    for (std::size_t At = Xmp.find(Prefix); At != std::string::npos; At = Xmp.find(Prefix, At + 1)) {
        const std::size_t Equals = Xmp.find("=\"", At), End = Xmp.find('"', Equals + 2);
        if (Equals == std::string::npos || End == std::string::npos) break;
        std::string Value = Xmp.substr(Equals + 2, End - Equals - 2);
        for (const auto& [Reference, Character] : std::vector<std::pair<std::string, std::string>>{
                 {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&#10;", "\n"}, {"&#13;", "\r"}, {"&#9;", "\t"}, {"&amp;", "&"}})
            for (std::size_t R = Value.find(Reference); R != std::string::npos; R = Value.find(Reference, R + 1))
                Value.replace(R, Reference.size(), Character);
        Properties[Xmp.substr(At + Prefix.size(), Equals - At - Prefix.size())] = Value;
    }
    return Properties;
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
    WebPDemuxer* Demuxer = WebPDemux(&Data);
    WebPChunkIterator Xmp;
    if (Demuxer && WebPDemuxGetChunk(Demuxer, "XMP ", 1, &Xmp)) {
        Result.Record = XmpProperties({reinterpret_cast<const char*>(Xmp.chunk.bytes), Xmp.chunk.size});
        WebPDemuxReleaseChunkIterator(&Xmp);
    }
    WebPDemuxDelete(Demuxer);
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
        // Comments "Key: text", each continued over sub-blocks of 255 bytes.
        std::string Comment;
        int Function = 0;
        for (int B = 0; B <= Image.ExtensionBlockCount; ++B) {
            const ExtensionBlock* Block = B < Image.ExtensionBlockCount ? &Image.ExtensionBlocks[B] : nullptr;
            if (Block && Block->Function == CONTINUE_EXT_FUNC_CODE) {
                if (Function == COMMENT_EXT_FUNC_CODE) Comment.append(reinterpret_cast<const char*>(Block->Bytes), std::size_t(Block->ByteCount));
                continue;
            }
            if (const std::size_t Colon = Comment.find(": "); Function == COMMENT_EXT_FUNC_CODE && Colon != std::string::npos)
                Result.Record[Comment.substr(0, Colon)] = Comment.substr(Colon + 2);
            if (!Block) break;
            Function = Block->Function;
            Comment.assign(reinterpret_cast<const char*>(Block->Bytes), std::size_t(Block->ByteCount));
        }
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


std::map<std::string, std::string> ReadVideoRecord(const std::string& File) {
    AVFormatContext* Format = nullptr;
    std::map<std::string, std::string> Record;
    if (avformat_open_input(&Format, File.c_str(), nullptr, nullptr) < 0) {
        ADD_FAILURE() << "video unreadable";
        return Record;
    }
    for (const AVDictionaryEntry* Entry = nullptr; (Entry = av_dict_get(Format->metadata, "", Entry, AV_DICT_IGNORE_SUFFIX));) {
        std::string Key = Entry->key;
        for (std::size_t I = 1; I < Key.size(); ++I) Key[I] = char(std::tolower(static_cast<unsigned char>(Key[I])));
        Record[Key] = Entry->value;
    }
    avformat_close_input(&Format);
    return Record;
}
