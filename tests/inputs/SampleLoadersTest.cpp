#include <gtest/gtest.h>

#include <string>

#include "Exception.h"
#include "ExpectMessage.h"
#include "SampleCatalog.h"
#include "SampleLoaders.h"

TEST(SampleLoaders, EverySampleLoadsAsABitmapOfItsCatalogueSize) {
    int Loaded = 0;
    for (const auto& [Prefix, Samples] : {std::pair{"Bei", resources::DepthMapSamples()}, {"Bild", resources::TextureSamples()}}) {
        for (const resources::SampleInfo& S : Samples) {
            const std::string Name = Prefix + std::to_string(S.Number);
            TPicture P;
            LoadSampleDepthMap(P, Name);
            const TBitmap* B = P.As<TBitmap>();
            ASSERT_NE(B, nullptr) << Name;
            EXPECT_EQ(B->Width(), S.Width) << Name;
            EXPECT_EQ(B->Height(), S.Height) << Name;
            // The decoder's defaults: colour data at 24 bits, grey data at 8 bits of grey.
            EXPECT_EQ(B->PixelFormat(), S.Channels == 1 ? pf8bit : pf24bit) << Name;
            ++Loaded;
        }
    }
    EXPECT_EQ(Loaded, 42);
}

TEST(SampleLoaders, NameIgnoresLetterCaseAndReplacesThePicture) {
    TPicture P;
    P.SetGraphic(std::make_unique<TBitmap>(3, 3, pf1bit));
    LoadSampleDepthMap(P, "bei7");
    EXPECT_EQ(P.Width(), 640);
    LoadSampleMask(P, "BILD13");
    EXPECT_EQ(P.Width(), 256);
    EXPECT_EQ(P.Bitmap().PixelFormat(), pf24bit);
}

TEST(SampleLoaders, MissingNameRaisesAndKeepsThePicture) {
    TPicture P;
    LoadSampleMask(P, "Bild1");
    EXPECT_THROW_MSG(LoadSampleMask(P, "Bild15"), Exception, "Ressource nicht gefunden: Bild15");
    EXPECT_EQ(P.Width(), 85);
}
