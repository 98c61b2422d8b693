#include <gtest/gtest.h>

#include <string>

#include "Exception.h"
#include "ExpectMessage.h"
#include "Resources.h"
#include "SampleCatalog.h"

TEST(Resources, EverySampleIsBuiltInAsJpegData) {
    int Found = 0;
    for (const auto& [Prefix, Samples] : {std::pair{"BEI", resources::DepthMapSamples()}, {"BILD", resources::TextureSamples()}}) {
        for (const resources::SampleInfo& S : Samples) {
            const std::string Name = Prefix + std::to_string(S.Number);
            const auto Bytes = FindResource("JPEG", Name);
            ASSERT_TRUE(Bytes.has_value()) << Name;
            ASSERT_GT(Bytes->size(), 4u) << Name;
            EXPECT_EQ((*Bytes)[0], 0xFF) << Name;
            EXPECT_EQ((*Bytes)[1], 0xD8) << Name;
            ++Found;
        }
    }
    EXPECT_EQ(Found, 42);
}

TEST(Resources, LookupIgnoresLetterCaseOfTypeAndName) {
    const auto Upper = FindResource("JPEG", "BEI7");
    ASSERT_TRUE(Upper.has_value());
    for (const char* Name : {"Bei7", "bei7", "bEI7"}) {
        const auto Other = FindResource("Jpeg", Name);
        ASSERT_TRUE(Other.has_value()) << Name;
        EXPECT_EQ(Other->data(), Upper->data());
    }
    EXPECT_EQ(FindResource("jpeg", "Bild14")->data(), FindResource("JPEG", "BILD14")->data());
}

TEST(Resources, MissingNameOrTypeIsReported) {
    EXPECT_FALSE(FindResource("Jpeg", "Bei29").has_value());
    EXPECT_FALSE(FindResource("Jpeg", "Bei").has_value());
    EXPECT_FALSE(FindResource("Png", "Bei1").has_value());
    EXPECT_THROW_MSG(LoadResource("Jpeg", "Bei0"), Exception, "Ressource nicht gefunden: Bei0");
}
