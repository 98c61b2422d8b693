#include <gtest/gtest.h>

#include <memory>

#include "RecordedGeometry.h"
#include "StartSettings.h"

namespace {

// The options are read in order through the generator's setters, with a black depth map of
// the picture's size for the one named; other options and their values set nothing.
TEST(RecordedGeometry, ReadsTheSettingOptionsInOrderAndNamesWhatDoesNotRead) {
    TPicture Black;
    Black.SetGraphic(std::make_unique<TBitmap>(300, 200, pf24bit));
    TStereogram Expected(nullptr);
    ApplyStartSettings(Expected);
    Expected.SetDepthMap(Black);
    Expected.SetDPI(100);
    Expected.SetWidth(400);
    Expected.SetOversampling(2);
    Expected.SetCrossEyed(true);
    Expected.SetMax3Ddepth(20);

    const TRecordedGeometry Read = RecordedGeometry(
        {{"Software", "x"}, {"Options", "--depth 'my map.png' --animate a.png b.png --dpi 100 --width=400 --oversampling 2 "
                                        "--cross-eyed --max-depth 20 --seed 7"}},
        300, 200);
    ASSERT_TRUE(Read.Geometry) << Read.Problem;
    EXPECT_EQ(Read.Geometry->Separations, Expected.SeparationTable());
    EXPECT_EQ(Read.Geometry->Oversampling, 2);
    EXPECT_TRUE(Read.Geometry->CrossEyed);

    EXPECT_FALSE(RecordedGeometry({{"Software", "x"}}, 300, 200).Geometry);
    struct Case {
        const char* Options;
        const char* Problem;
    };
    const Case Cases[] = {
        {"--depth 'a.png", "its recorded options end inside a quote"},
        {"--width wide", "its recorded options do not read: --width: 'wide' is not a number"},
        {"--max-depth=inf", "its recorded options do not read: --max-depth: 'inf' is not a number"},
        {"--type plain", "its recorded options do not read: --type: 'plain' is not one of its names"},
        {"--dpi", "its recorded options do not read: --dpi: missing value"},
    };
    for (const Case& C : Cases) {
        const TRecordedGeometry Failed = RecordedGeometry({{"Options", C.Options}}, 300, 200);
        EXPECT_FALSE(Failed.Geometry) << C.Options;
        EXPECT_EQ(Failed.Problem, C.Problem) << C.Options;
    }
}

}  // namespace
