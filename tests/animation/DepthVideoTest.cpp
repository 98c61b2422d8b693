// Depth videos: a moving disc made here comes back as that many frames whose depth follows
// the disc; a video cut short gives the frames it holds, a damaged one a reason.
#include <gtest/gtest.h>

#include <fstream>

#include "AnimationWriter.h"
#include "DepthVideo.h"
#include "Exception.h"
#include "PictureFiles.h"
#include "TestPictures.h"

namespace {

constexpr int W = 96, H = 64, Radius = 10, Frames = 12;

int DiscCentreX(int Frame) { return 16 + 5 * Frame; }

TBitmap Disc(int Frame) {
    TBitmap B(W, H);
    for (int Y = 0; Y < H; ++Y)
        for (int X = 0; X < W; ++X) {
            const int DX = X - DiscCentreX(Frame), DY = Y - H / 2;
            if (DX * DX + DY * DY <= Radius * Radius) B.SetPixel(X, Y, clWhite);
        }
    return B;
}

void WriteDiscVideo(const std::string& Path) {
    const auto Writer = OpenAnimationWriter(Path, {W, H, 24, {}, {}});
    for (int I = 0; I < Frames; ++I) Writer->AddFrame(Disc(I));
    Writer->Finish();
}

// Where the bright pixels of a frame lie, on average, along x.
double BrightCentreX(const TBitmap& Frame) {
    double Sum = 0, Count = 0;
    for (int Y = 0; Y < Frame.Height(); ++Y)
        for (int X = 0; X < Frame.Width(); ++X)
            if (RedOf(Frame.Pixel(X, Y)) > 128) Sum += X, Count += 1;
    return Count ? Sum / Count : -1;
}

}  // namespace

TEST(DepthVideo, AMovingDiscBecomesFramesWhoseDepthFollowsIt) {
    const TTempDir Dir;
    for (const std::string Name : {"disc.mp4", "disc.webm"}) {
        SCOPED_TRACE(Name);
        WriteDiscVideo(Dir.File(Name));
        const auto Video = TDepthVideo::OpenFile(Dir.File(Name));
        EXPECT_EQ(Video->Width(), W);
        EXPECT_EQ(Video->Height(), H);
        EXPECT_EQ(Video->ExpectedFrames(), Frames);
        int Read = 0;
        while (std::optional<TBitmap> Frame = Video->NextFrame()) {
            EXPECT_EQ(Frame->Pixel(3, 3), Frame->Pixel(3, 3) & 0xFF ? Frame->Pixel(3, 3) : clBlack);  // grey in every channel
            EXPECT_NEAR(BrightCentreX(*Frame), DiscCentreX(Read), 0.5) << "frame " << Read;
            ++Read;
        }
        EXPECT_EQ(Read, Frames);
        EXPECT_FALSE(Video->CutShort());
    }
}

TEST(DepthVideo, CutShortGivesItsFramesDamagedOrOutOfTimeGivesAReason) {
    const TTempDir Dir;
    WriteDiscVideo(Dir.File("disc.webm"));
    const std::vector<std::uint8_t> Whole = ReadPictureFileBytes(Dir.File("disc.webm"));
    const std::vector<std::uint8_t> Half(Whole.begin(), Whole.begin() + std::ptrdiff_t(Whole.size() * 3 / 4));
    const auto Cut = TDepthVideo::OpenBytes(Half);
    int Read = 0;
    while (Cut->NextFrame()) ++Read;
    EXPECT_GT(Read, 0);
    EXPECT_LT(Read, Frames);
    EXPECT_TRUE(Cut->CutShort());

    // Its header alone: a video, but without a frame.
    const std::vector<std::uint8_t> Header(Whole.begin(), Whole.begin() + 200);
    try {
        const auto Video = TDepthVideo::OpenBytes(Header);
        Video->NextFrame();
        ADD_FAILURE() << "a video without frames was read";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Failure(), TReadFailure::Damaged);
        EXPECT_FALSE(E.Detail().empty());
    }
    // One whose time is up before it is read is given up with the time it had.
    try {
        TDepthVideo::OpenBytes(Whole, std::chrono::milliseconds(-1));
        ADD_FAILURE() << "a video was read out of time";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Failure(), TReadFailure::Damaged);
        EXPECT_EQ(E.Detail(), "given up after -1 ms");
    }
    const std::vector<std::uint8_t> Text{'n', 'o', ' ', 'v', 'i', 'd', 'e', 'o'};
    try {
        TDepthVideo::OpenBytes(Text);
        ADD_FAILURE() << "text was read as a video";
    } catch (const EInvalidGraphic& E) {
        EXPECT_EQ(E.Failure(), TReadFailure::NotAPicture);
    }
    EXPECT_TRUE(LooksLikeVideo(Whole));
    EXPECT_FALSE(LooksLikeVideo(EncodeBitmap(Disc(0), TFileFormat::Png)));
    EXPECT_FALSE(LooksLikeVideo(Text));
}
