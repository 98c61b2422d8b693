#include <gtest/gtest.h>

#include <string>

#include "PnmFormat.h"

TEST(PnmFormat, BinaryPixmapHasHeaderAndRgbRows) {
    TBitmap B(2, 1, pf24bit);
    B.SetPixel(0, 0, PackColor(1, 2, 3));
    B.SetPixel(1, 0, PackColor(4, 5, 6));
    const auto Bytes = WritePpm(B);
    EXPECT_EQ(std::string(Bytes.begin(), Bytes.end()), std::string("P6\n2 1\n255\n\1\2\3\4\5\6"));
}

TEST(PnmFormat, PaletteBitmapsAreWrittenAsTheirColours) {
    TBitmap B(1, 1, pf1bit);
    B.SetPixel(0, 0, clWhite);
    const auto Bytes = WritePpm(B);
    EXPECT_EQ(std::string(Bytes.end() - 3, Bytes.end()), std::string("\xFF\xFF\xFF"));
}
