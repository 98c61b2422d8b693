#include <gtest/gtest.h>

#include "Random.h"

namespace {

TEST(Random, DrawAdvancesTheStateThenScalesItsUpperHalf) {
    Random::Seed(0);
    EXPECT_EQ(Random::Below(100), 0);  // state 1: 1 × 100 >> 32
    EXPECT_EQ(Random::RandSeed, 1u);
    Random::Seed(0xFFFFFFFFu);
    const std::uint32_t Next = 0xFFFFFFFFu * Random::Multiplier + 1;
    EXPECT_EQ(Random::Below(10), std::int32_t((std::uint64_t(Next) * 10) >> 32));
    EXPECT_EQ(Random::RandSeed, Next);
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
