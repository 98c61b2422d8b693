#include <gtest/gtest.h>

#include "Random.h"

namespace {

// Known answers, worked out apart from the code: state := state × 134775813 + 1 mod 2^32,
// draw := (state × N) >> 32.
TEST(Random, FirstDrawsOfAFixedSeed) {
    struct Draw {
        std::int32_t Below, Value;
        std::uint32_t State;
    };
    const Draw Expected[] = {{100, 38, 1655067934u}, {100, 28, 1242767767u}, {100, 7, 342459380u}, {10, 5, 2377737157u},
                             {10, 6, 2721613530u},   {2, 0, 1467157059u},    {16, 7, 1889648464u},  {4, 0, 340655249u},
                             {5, 0, 138982102u},     {1000, 923, 3964786223u}};
    Random::Seed(12345);
    for (const Draw& D : Expected) {
        EXPECT_EQ(Random::Below(D.Below), D.Value);
        EXPECT_EQ(Random::RandSeed, D.State);
    }
    Random::Seed(0);
    EXPECT_EQ(Random::Below(100), 0);  // state 1
    Random::Seed(0xFFFFFFFFu);
    EXPECT_EQ(Random::Below(10), 9);  // the product wraps: state 4160191484
    EXPECT_EQ(Random::RandSeed, 4160191484u);
}

TEST(Random, DrawsStayBelowTheirBound) {
    Random::Seed(42);
    for (int I = 0; I < 10000; ++I) {
        const int D = Random::Below(7);
        ASSERT_GE(D, 0);
        ASSERT_LT(D, 7);
    }
}

TEST(Random, SameSeedGivesTheSameSequence) {
    Random::Seed(99);
    const int A = Random::Below(1000), B = Random::Below(1000);
    Random::Seed(99);
    EXPECT_EQ(Random::Below(1000), A);
    EXPECT_EQ(Random::Below(1000), B);
}

}  // namespace
