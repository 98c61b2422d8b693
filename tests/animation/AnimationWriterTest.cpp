// Every animation format read back by another reader than ours: the frame count, the size,
// the timing, and the pixels (exact for the PNG folder, the lossless WebP and a GIF of
// black-and-white dots; within the quantiser's error for a coloured GIF).
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "AnimationReadBack.h"
#include "AnimationWriter.h"
#include "DepthVideo.h"
#include "Exception.h"
#include "PictureFiles.h"
#include "TestPictures.h"

namespace {

// Large enough for a coloured frame of over 6,000 colours.
constexpr int W = 96, H = 64;
// Kinds of test frames besides those of a given number of colours.
constexpr int Dots = 2, Coloured = 0;

// Frame k of a test animation: random black-and-white Dots, random colours over a ramp
// (Coloured), or else Colours colours in turn, a step of one in red apart.
TBitmap TestFrame(int Frame, int Colours) {
    std::mt19937 Random(unsigned(Frame + 1));
    TBitmap B = Colours == Coloured ? ColourRamp(W, H) : TBitmap(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X)
            if (Colours == Dots) B.SetPixel(X, Y, Random() & 1 ? clWhite : clBlack);
            else if (Colours != Coloured) {
                const int N = (Y * W + X + Frame) % Colours;
                B.SetPixel(X, Y, PackColor(std::uint8_t(N), N < 256 ? 0 : 200, 100));
            } else if (Random() % 4 == 0) B.SetPixel(X, Y, Random() & 0xFFFFFF);
    return B;
}

TReadBack ReadFolder(const std::string& Folder, int Count) {
    TReadBack Result;
    for (int I = 1; I <= Count; ++I) {
        char Name[32];
        std::snprintf(Name, sizeof Name, "frame-%04d.png", I);
        TPicture Picture;
        LoadPictureFromFile(Picture, Folder + Name);
        Result.Frames.push_back(Picture.Bitmap());
    }
    return Result;
}

TReadBack ReadVideo(const std::string& File, double& Fps) {
    const auto Video = TDepthVideo::OpenFile(File);
    Fps = Video->Fps();
    TReadBack Result;
    while (std::optional<TBitmap> Frame = Video->NextFrame()) Result.Frames.push_back(std::move(*Frame));
    return Result;
}

// A record with markup, quotes and a line break, longer than a GIF's sub-block of 255 bytes.
const TPngTextChunks Record{{"Software", "test"}, {"Options", "--depth 'text:A&B <\"C\">\nD' --width " + std::string(300, '9')}};

void WriteFrames(const std::string& Path, int Count, int Colours, double Fps) {
    TAnimationSettings Settings{W, H, Fps, {}, Record};
    const auto Writer = OpenAnimationWriter(Path, Settings);
    for (int I = 0; I < Count; ++I) Writer->AddFrame(TestFrame(I, Colours));
    Writer->Finish();
}

}  // namespace

TEST(AnimationWriter, EveryFormatReadsBackWithItsFramesSizeAndTiming) {
    const TTempDir Dir;
    constexpr int Frames = 4;
    constexpr double Fps = 8;  // 125 ms a frame; a GIF counts in hundredths: 12 or 13
    struct TCase {
        std::string Name;
        int Colours;       // Dots, Coloured or a number of colours
        int LargestError;  // of any channel of any pixel; -1: only the count and size are checked
        double MeanError;
    };
    // A GIF keeps up to 256 colours exact, and a few more nearly so.
    const std::vector<TCase> Cases{
        {"dots.gif", Dots, 0, 0},        {"colour.gif", Coloured, 255, 12}, {"256.gif", 256, 0, 0},
        {"257.gif", 257, 1, 0.2},        {"dots.webp", Dots, 0, 0},         {"colour.webp", Coloured, 0, 0},
        {"frames/", Coloured, 0, 0},     {"dots.mp4", Dots, -1, 0},         {"dots.webm", Dots, -1, 0},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(C.Name);
        const std::string Path = Dir.File(C.Name) + (C.Name.ends_with('/') ? "/" : "");
        WriteFrames(Path, Frames, C.Colours, Fps);
        TReadBack Back;
        double VideoFps = 0;
        if (C.Name.ends_with(".gif")) Back = ReadGif(Path);
        else if (C.Name.ends_with(".webp")) Back = ReadWebP(Path);
        else if (C.Name.ends_with('/')) Back = ReadFolder(Path, Frames);
        else {
            Back = ReadVideo(Path, VideoFps);
            Back.Record = ReadVideoRecord(Path);
        }
        // A video's container adds keys of its own.
        for (const auto& [Key, Text] : Record)
            if (!C.Name.ends_with('/')) {
                EXPECT_EQ(Back.Record[Key], Text) << Key;
            }
        ASSERT_EQ(Back.Frames.size(), std::size_t(Frames));
        for (int I = 0; I < Frames; ++I) {
            EXPECT_EQ(Back.Frames[I].Width(), W);
            EXPECT_EQ(Back.Frames[I].Height(), H);
            if (C.LargestError < 0) continue;
            const TDifference D = Difference(Back.Frames[I], TestFrame(I, C.Colours));
            EXPECT_LE(D.Largest, C.LargestError) << "frame " << I;
            EXPECT_LE(D.Mean, C.MeanError) << "frame " << I;
        }
        if (!Back.StartsMs.empty()) {
            // Starts rounded from the exact times: 0, 125, 250, 375 ms (GIF: 0, 130, 250, 380).
            const std::vector<int> Expected = C.Name.ends_with(".gif") ? std::vector<int>{0, 130, 250, 380} : std::vector<int>{0, 125, 250, 375};
            EXPECT_EQ(Back.StartsMs, Expected);
        }
        if (VideoFps > 0) {
            EXPECT_DOUBLE_EQ(VideoFps, Fps);
        }
        std::vector<std::string> Left;
        for (const auto& Entry : std::filesystem::directory_iterator(Dir.Path()))
            if (Entry.path().string().find(".tmp-") != std::string::npos) Left.push_back(Entry.path().string());
        EXPECT_TRUE(Left.empty()) << Left.front();
    }
}

TEST(AnimationWriter, AFailedOrAbandonedWriteLeavesNoFile) {
    const TTempDir Dir;
    TAnimationSettings Settings{W, H, 25, {}, {}};
    EXPECT_THROW(OpenAnimationWriter(Dir.File("missing/a.gif"), Settings), EFileError);
    EXPECT_THROW(OpenAnimationWriter(Dir.File("a.png"), Settings), Exception);
    for (const std::string Name : {"a.gif", "a.webp", "a.mp4", "a.webm", "frames/"}) {
        const auto Writer = OpenAnimationWriter(Dir.File(Name) + (Name.ends_with('/') ? "/" : ""), Settings);
        Writer->AddFrame(TestFrame(0, Dots));
    }
    // Only the folder made for the PNG frames is left, and it is empty.
    std::vector<std::string> Left;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator(Dir.Path())) Left.push_back(Entry.path().filename().string());
    EXPECT_EQ(Left, std::vector<std::string>{"frames"});
}
