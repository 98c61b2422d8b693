// The frame loop: frames rendered out of turn on several threads reach the writer in order;
// a failing frame stops the loop with its error; a cancel stops it after the frame written.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

#include "FrameLoop.h"

namespace {

class TRecordingWriter : public TAnimationWriter {
public:
    void AddFrame(const TBitmap& Frame) override { Order.push_back(int(Frame.Pixel(0, 0))); }
    void Finish() override {}
    std::vector<int> Order;
};

// Count frames whose first pixel holds their number; later frames finish sooner. Frame
// Failing raises.
TNextFrame Numbered(int& Next, int Count, int Failing = -1) {
    return [&Next, Count, Failing]() -> std::optional<TFrameTask> {
        if (Next == Count) return std::nullopt;
        const int Frame = Next++;
        return [Frame, Count, Failing] {
            std::this_thread::sleep_for(std::chrono::milliseconds((Count - Frame) % 4));
            if (Frame == Failing) throw std::runtime_error("frame failed");
            TBitmap B(1, 1);
            B.SetPixel(0, 0, TColor32(Frame));
            return B;
        };
    };
}

}  // namespace

TEST(FrameLoop, FramesReachTheWriterInOrderAndErrorsAndCancelsStopIt) {
    for (const int Threads : {1, 3}) {
        int Next = 0;
        TRecordingWriter Writer;
        EXPECT_EQ(RenderFrames(Numbered(Next, 20), Threads, Writer, [](int) { return true; }), 20);
        std::vector<int> Expected(20);
        for (int I = 0; I < 20; ++I) Expected[std::size_t(I)] = I;
        EXPECT_EQ(Writer.Order, Expected);

        Next = 0;
        TRecordingWriter Failed;
        EXPECT_THROW(RenderFrames(Numbered(Next, 20, 7), Threads, Failed, [](int) { return true; }), std::runtime_error);
        EXPECT_LE(Failed.Order.size(), 7u);

        Next = 0;
        TRecordingWriter Cancelled;
        EXPECT_EQ(RenderFrames(Numbered(Next, 20), Threads, Cancelled, [](int Written) { return Written < 5; }), 5);
        EXPECT_EQ(Cancelled.Order.size(), 5u);
    }
}

TEST(FrameLoop, FrameKTurnsByKNthsOfTheSpinAndTakesSeedPlusK) {
    const TModelView Start{10, -20, 0, TProjection::Perspective};
    const TModelView View = FrameView(Start, {360, 90, 0}, 3, 8);
    EXPECT_DOUBLE_EQ(View.RotateX, 145);
    EXPECT_DOUBLE_EQ(View.RotateY, 13.75);
    EXPECT_DOUBLE_EQ(View.RotateZ, 0);
    EXPECT_EQ(View.Projection, TProjection::Perspective);
    EXPECT_EQ(FrameSeed(4294967294u, 3, false), 1u);
    EXPECT_EQ(FrameSeed(4294967294u, 3, true), 4294967294u);
}
