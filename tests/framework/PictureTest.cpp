#include "Picture.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

namespace {

constexpr TColor32 kRed = PackColor(255, 0, 0);

// A picture that is not a bitmap: a solid colour of a given size.
class TSolidGraphic : public TGraphic {
public:
    TSolidGraphic(int AWidth, int AHeight) : FWidth(AWidth), FHeight(AHeight) {}
    int Width() const override { return FWidth; }
    int Height() const override { return FHeight; }
    bool Empty() const override { return FWidth == 0 || FHeight == 0; }
    std::unique_ptr<TGraphic> Clone() const override { return std::make_unique<TSolidGraphic>(*this); }
    void Draw(TBitmap&, int, int) const override {}
    void AssignTo(TBitmap& Dest) const override { Dest = TBitmap(FWidth, FHeight); }

private:
    int FWidth, FHeight;
};

TPicture BitmapPicture(int Width, int Height, TColor32 Color) {
    TPicture P;
    TBitmap& B = P.MakeBitmap();
    B.SetSize(Width, Height);
    B.SetPixel(0, 0, Color);
    return P;
}

}  // namespace

TEST(Picture, FreshPictureHoldsNothing) {
    const TPicture P;
    EXPECT_EQ(P.Graphic(), nullptr);
    EXPECT_EQ(P.Width(), 0);
    EXPECT_EQ(P.Height(), 0);
    EXPECT_TRUE(P.Bitmap().Empty());
}

TEST(Picture, CopiesAreDeep) {
    TPicture Original = BitmapPicture(3, 2, kRed);
    const TPicture Copied(Original);
    TPicture Assigned;
    Assigned = Original;
    TPicture ByAssign;
    ByAssign.Assign(Original);
    Original.MakeBitmap().SetPixel(0, 0, clWhite);
    for (const TPicture* P : std::initializer_list<const TPicture*>{&Copied, &Assigned, &ByAssign}) {
        EXPECT_NE(P->Graphic(), Original.Graphic());
        EXPECT_EQ(P->Width(), 3);
        EXPECT_EQ(P->Height(), 2);
        EXPECT_EQ(P->Bitmap().Pixel(0, 0), kRed);
    }
}

TEST(Picture, AssigningAnEmptyPictureEmptiesAndSelfAssignKeeps) {
    TPicture P = BitmapPicture(2, 2, kRed);
    const TGraphic* Before = P.Graphic();
    P.Assign(P);
    EXPECT_EQ(P.Graphic(), Before);
    EXPECT_EQ(P.Bitmap().Pixel(0, 0), kRed);
    P.Assign(TPicture());
    EXPECT_EQ(P.Graphic(), nullptr);
    EXPECT_EQ(P.Width(), 0);
}

TEST(Picture, ClearDropsTheGraphic) {
    TPicture P = BitmapPicture(2, 2, kRed);
    P.Clear();
    EXPECT_EQ(P.Graphic(), nullptr);
    EXPECT_TRUE(P.Bitmap().Empty());
}

TEST(Picture, OtherContentHasSizeButAnEmptyBitmapView) {
    TPicture P;
    P.SetGraphic(std::make_unique<TSolidGraphic>(4, 5));
    EXPECT_EQ(P.Width(), 4);
    EXPECT_EQ(P.Height(), 5);
    EXPECT_TRUE(P.Bitmap().Empty());
    EXPECT_EQ(P.As<TBitmap>(), nullptr);
    EXPECT_NE(P.As<TSolidGraphic>(), nullptr);
    const TPicture Copy(P);
    EXPECT_NE(Copy.As<TSolidGraphic>(), nullptr);
    EXPECT_EQ(Copy.Width(), 4);
}

TEST(Picture, MakeBitmapKeepsABitmapAndReplacesOtherContent) {
    TPicture P = BitmapPicture(2, 2, kRed);
    const TGraphic* Before = P.Graphic();
    TBitmap& Same = P.MakeBitmap();
    EXPECT_EQ(&Same, Before);
    EXPECT_EQ(Same.Pixel(0, 0), kRed);

    P.SetGraphic(std::make_unique<TSolidGraphic>(4, 5));
    TBitmap& Fresh = P.MakeBitmap();
    EXPECT_TRUE(Fresh.Empty());
    EXPECT_EQ(&P.Bitmap(), &Fresh);
    EXPECT_EQ(P.Width(), 0);
}
