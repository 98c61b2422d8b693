#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Application.h"
#include "Clock.h"
#include "EngineTestSupport.h"
#include "Exception.h"
#include "ExpectMessage.h"
#include "TestPictures.h"

namespace {

void ExpectMessage(TStereogram& S, const char* Message) { EXPECT_THROW_MSG(S.Generate(), Exception, Message); }

std::vector<int> ProgressReports(TStereogram& S) {
    std::vector<int> Reports;
    S.SetOnGenerate([&](TObject* Sender) {
        EXPECT_EQ(Sender, &S);
        Reports.push_back(S.Progress);
    });
    S.Generate();
    return Reports;
}

TEST(StereogramRun, FreshComponentRefusesWithAnEmptyDepthMap) {
    TStereogram S(nullptr);
    ExpectMessage(S, "Abbildung ist leer");
    EXPECT_EQ(S.Progress, 0);
    EXPECT_EQ(S.GetPicture().Width(), 0);
    EXPECT_FALSE(S.Running());
}

TEST(StereogramRun, MaskIsNeededOnlyByColoredDotAndTextured) {
    for (TStereoGramType Type : {sgtFastRandomDot, sgtRandomDotTextured}) {
        TStereogram S(nullptr);
        S.SetDepthMap(BlackPicture(64, 48));
        S.SetStereoType(Type);
        EXPECT_NO_THROW(S.Generate()) << int(Type);
    }
    for (TStereoGramType Type : {sgtColoredDot, sgtTextured}) {
        TStereogram S(nullptr);
        S.SetStereoType(Type);
        ExpectMessage(S, "Abbildung ist leer");  // the depth map is checked first
        S.SetDepthMap(BlackPicture(64, 48));
        ExpectMessage(S, "Maske ist leer");
    }
}

TEST(StereogramRun, PictureThatIsNotABitmapCountsAsEmpty) {
    TPicture Other;
    Other.SetGraphic(std::make_unique<TOtherGraphic>());
    TStereogram S(nullptr);
    S.SetDepthMap(Other);
    ExpectMessage(S, "Abbildung ist leer");
    S.SetDepthMap(BlackPicture(10, 10));
    S.SetMaskMap(Other);
    S.SetStereoType(sgtTextured);
    ExpectMessage(S, "Maske ist leer");
}

TEST(StereogramRun, RefusedRunKeepsThePreviousOutput) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(64, 48));
    const TPicture First = Render(S);
    S.SetStereoType(sgtTextured);
    ExpectMessage(S, "Maske ist leer");
    EXPECT_EQ(S.Progress, 100);
    EXPECT_EQ(RowOf(S.GetPicture(), 7), RowOf(First, 7));
}

TEST(StereogramRun, ProgressOfSixHundredRows) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    const std::vector<int> Reports = ProgressReports(S);
    ASSERT_EQ(Reports.size(), 601u);
    for (int Row = 0; Row < 600; ++Row) EXPECT_EQ(Reports[std::size_t(Row)], Row / 6) << Row;
    EXPECT_EQ(Reports.back(), 100);
    EXPECT_EQ(S.Progress, 100);
}

TEST(StereogramRun, ProgressOfFiftyRowsAndOfOneRow) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    S.SetHeight(50);
    std::vector<int> Expected;
    for (int Row = 0; Row < 50; ++Row) Expected.push_back(2 * Row);
    Expected.push_back(100);
    EXPECT_EQ(ProgressReports(S), Expected);

    S.SetHeight(1);
    EXPECT_EQ(ProgressReports(S), (std::vector<int>{0, 100}));
}

TEST(StereogramRun, ProgressIsTruncatedInExtendedPrecision) {
    // 630 / 100 is not exact in binary; the reports still never decrease.
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    S.SetHeight(630);
    const std::vector<int> Reports = ProgressReports(S);
    for (std::size_t I = 1; I < Reports.size(); ++I) EXPECT_LE(Reports[I - 1], Reports[I]);
    EXPECT_EQ(Reports[629], 99);
}

TEST(StereogramRun, SecondGenerateDuringARunReturnsAtOnce) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    S.SetHeight(20);
    int Reports = 0;
    S.SetOnGenerate([&](TObject*) {
        ++Reports;
        EXPECT_TRUE(S.Running());
        S.Generate();  // also in the first rows (Progress 0) and in the final report (100)
    });
    S.Generate();
    EXPECT_EQ(Reports, 21);
    EXPECT_FALSE(S.Running());
}

TEST(StereogramRun, GenerateFromAPendingMessageIsRefusedToo) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(8, 8));
    S.SetHeight(10);
    int Messages = 0;
    Application->SetProcessMessagesHook([&] {
        ++Messages;
        S.Generate();
    });
    S.Generate();
    Application->SetProcessMessagesHook(nullptr);
    EXPECT_EQ(Messages, 10);  // once after every row
}

TEST(StereogramRun, ExceptionInsideARunEndsItAndTheNextRunStarts) {
    for (TStereoGramType Type : {sgtFastRandomDot, sgtTextured}) {
        for (int Threads : {1, 2}) {
            TStereogram S(nullptr);
            S.SetDepthMap(BlackPicture(8, 8));
            S.SetMaskMap(DistinctTexture(100, 100));
            S.SetStereoType(Type);
            S.SetHeight(300);
            S.SetThreads(Threads);
            S.SetOnGenerate([&](TObject*) {
                S.GetPicture();  // the finished rows, while others are being rendered
                if (S.Progress == 40) throw Exception("Abbruch");
            });
            ExpectMessage(S, "Abbruch");
            EXPECT_FALSE(S.Running());

            S.SetOnGenerate(nullptr);
            S.Generate();
            EXPECT_EQ(S.Progress, 100);
        }
    }
}

TEST(StereogramRun, OutputHasTheSettingsSizeWithTheReliefCentred) {
    TStereogram S(nullptr);
    S.SetDepthMap(GreyPicture(640, 480, [](int, int) { return 200; }));
    const TPicture Out = Render(S);
    EXPECT_EQ(Out.Width(), 800);
    EXPECT_EQ(Out.Height(), 600);
    EXPECT_EQ(Out.Bitmap().PixelFormat(), pf24bit);
    EXPECT_FALSE(Out.Bitmap().Monochrome());
    // Above the relief the rows repeat with the far separation 90, inside with a smaller one.
    const auto Top = RowOf(Out, 10), Middle = RowOf(Out, 300);
    for (int X = 0; X + 90 < 800; ++X) EXPECT_EQ(Top[std::size_t(X)], Top[std::size_t(X + 90)]);
    int Mismatches = 0;
    for (int X = 100; X + 90 < 700; ++X) Mismatches += Middle[std::size_t(X)] != Middle[std::size_t(X + 90)];
    EXPECT_GT(Mismatches, 0);
}

TEST(StereogramRun, OversamplingNeverWidensTheOutput) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(64, 48));
    S.SetMaskMap(DistinctTexture(100, 100));
    S.SetStereoType(sgtTextured);
    S.SetOversampling(4);
    const TPicture Out = Render(S);
    EXPECT_EQ(Out.Width(), 800);
    EXPECT_EQ(Out.Height(), 600);
}

TEST(StereogramRun, GetPictureTwiceGivesTheSamePixels) {
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(64, 48));
    S.SetFixedSeed(7);
    S.Generate();
    const TPicture First = S.GetPicture();
    const TPicture Second = S.GetPicture();
    for (int Row : {0, 299, 599}) EXPECT_EQ(RowOf(First, Row), RowOf(Second, Row));
}

TEST(StereogramRun, OutputIsDeterminedByTheSeed) {
    for (TStereoGramType Type : {sgtFastRandomDot, sgtColoredDot, sgtRandomDotTextured, sgtTextured}) {
        TStereogram S(nullptr);
        S.SetDepthMap(GreyPicture(300, 200, [](int X, int Y) { return (X * Y) % 256; }));
        S.SetMaskMap(DistinctTexture(120, 90));
        S.SetStereoType(Type);
        S.SetBlur(blurMedium);
        S.SetRandomDotColor(dctRGB);
        const TPicture A = Render(S, 1), B = Render(S, 1), C = Render(S, 2);
        bool AllEqual = true, AnyDifferent = false;
        for (int Row = 0; Row < A.Height(); ++Row) {
            AllEqual = AllEqual && RowOf(A, Row) == RowOf(B, Row);
            AnyDifferent = AnyDifferent || RowOf(A, Row) != RowOf(C, Row);
        }
        EXPECT_TRUE(AllEqual) << int(Type);
        EXPECT_TRUE(AnyDifferent) << int(Type);
    }
}

TEST(StereogramRun, WithoutAFixedSeedTheRunSeedsFromTheTimeOfDay) {
    SetTimeOfDaySource([] { return TTimeOfDay{1, 2, 3, 4}; });
    TStereogram S(nullptr);
    S.SetDepthMap(BlackPicture(64, 48));
    S.SetHeight(20);
    S.Generate();
    const TPicture FromClock = S.GetPicture();
    SetTimeOfDaySource(nullptr);
    const TPicture FromSeed = Render(S, ((1 * 60 + 2) * 60 + 3) * 1000 + 4);
    for (int Row = 0; Row < 20; ++Row) EXPECT_EQ(RowOf(FromClock, Row), RowOf(FromSeed, Row));
}

TEST(StereogramRun, SettingsThatCannotBeDrawnAreRefusedBeforeAnythingChanges) {
    struct Case {
        const char* Message;
        void (*Apply)(TStereogram&);
    };
    const Case Cases[] = {
        {"Tiefenbereich ergibt keinen Abstand", [](TStereogram& S) { S.SetMax3Ddepth(0); }},
        {"Abstand ist breiter als das Bild", [](TStereogram& S) { S.SetWidth(50); }},
        {"Bild ist zu breit", [](TStereogram& S) {
             // Coloured dots follow a depth map 8192 wide; two samples a pixel are too many.
             S.SetStereoType(sgtColoredDot);
             S.SetDepthMap(BlackPicture(TStereogram::MaxSubWidth, 1));
             S.SetStereoType(sgtTextured);
             S.SetOversampling(2);
         }},
        {"Bild ist zu groß", [](TStereogram& S) {
             // 8192 × 16384 output pixels take more than a classic picture may.
             S.SetStereoType(sgtColoredDot);
             TPicture Depth;
             Depth.SetGraphic(std::make_unique<TBitmap>(TStereogram::MaxSubWidth, MaxPictureSide, pf1bit));
             S.SetDepthMap(Depth);
         }},
    };
    for (const Case& C : Cases) {
        TStereogram S(nullptr);
        S.SetDepthMap(BlackPicture(64, 48));
        S.SetMaskMap(DistinctTexture(100, 100));
        S.SetStereoType(sgtTextured);
        C.Apply(S);
        ExpectMessage(S, C.Message);
        EXPECT_EQ(S.Progress, 0) << C.Message;
        EXPECT_EQ(S.GetPicture().Width(), 0) << C.Message;
        EXPECT_FALSE(S.Running()) << C.Message;
    }
}

TEST(StereogramRun, DegenerateSettingsStillDrawRandomDots) {
    struct Case {
        const char* Name;
        void (*Apply)(TStereogram&);
    };
    const Case Cases[] = {
        {"far plane 0", [](TStereogram& S) { S.SetMax3Ddepth(0); }},
        {"far plane at minus the viewing distance", [](TStereogram& S) { S.SetMax3Ddepth(-14.0); }},
        {"negative near plane", [](TStereogram& S) { S.SetMin3Ddepth(-100.0); }},
        {"negative depths", [](TStereogram& S) {
             S.SetMax3Ddepth(-3.0);
             S.SetMin3Ddepth(-9.0);
         }},
        {"width 1, DPI lowered to 0", [](TStereogram& S) {
             S.SetWidth(1);
             S.SetDPI(72);
         }},
        {"huge distances", [](TStereogram& S) {
             S.SetObservDistance(1e300);
             S.SetMax3Ddepth(-1e300);
         }},
    };
    for (const Case& C : Cases) {
        for (TBlurType Blur : {blurNone, blurHeavy}) {
            TStereogram S(nullptr);
            S.SetDepthMap(GreyPicture(64, 48, [](int X, int) { return X * 4; }));
            S.SetHeight(60);
            S.SetBlur(Blur);
            C.Apply(S);
            EXPECT_NO_THROW(Render(S)) << C.Name;
        }
    }
}

TEST(StereogramRun, ColoredDotDrawsADepthMapWiderThanTheRowTables) {
    for (TSizeLimit Limit : {slClassic, slLarge}) {
        TStereogram S(nullptr);
        S.SetSizeLimit(Limit);
        S.SetStereoType(sgtColoredDot);
        S.SetDepthMap(GreyPicture(9000, 3, [](int X, int) { return X % 256; }));
        S.SetMaskMap(DistinctTexture(20, 2));  // smaller than the output
        S.SetWidth(1);
        S.SetHeight(1);
        S.SetThreads(2);
        const TPicture Out = Render(S);
        EXPECT_EQ(Out.Width(), Limit == slLarge ? 9000 : TStereogram::MaxSubWidth);
        EXPECT_EQ(Out.Height(), 3);
    }
}

}  // namespace

// ---- Threads and viewing aids --------------------------------------------------------------

// Every row of two pictures, equal.
void ExpectSamePicture(const TPicture& A, const TPicture& B, const std::string& What) {
    ASSERT_EQ(A.Width(), B.Width()) << What;
    ASSERT_EQ(A.Height(), B.Height()) << What;
    for (int Row = 0; Row < A.Height(); ++Row) ASSERT_EQ(RowOf(A, Row), RowOf(B, Row)) << What << ", row " << Row;
}

// A seeded run of every kind with a relief that covers the whole output, 240 × 160.
TPicture RenderKind(TStereoGramType Type, TBlurType Blur, const std::function<void(TStereogram&)>& Set,
                    const std::function<int(int, int)>& Level = [](int X, int Y) { return (X * Y / 7 + X) % 256; }) {
    TStereogram S(nullptr);
    S.SetDepthMap(GreyPicture(240, 160, Level));
    S.SetMaskMap(ColorPicture(240, 160, [](int X, int Y) { return X % 3 == 0 ? clBlack : PackColor(std::uint8_t(X), std::uint8_t(Y), 90); }));
    S.SetStereoType(Type);
    S.SetWidth(240);
    S.SetHeight(160);
    S.SetOversampling(3);
    S.SetBlur(Blur);
    S.SetRandomDotColor(Type == sgtRandomDotTextured ? dctRGB : dctBlackWhite);
    S.SetDPI(40);
    Set(S);
    return Render(S, 31);
}

const TStereoGramType kAllKinds[] = {sgtFastRandomDot, sgtColoredDot, sgtRandomDotTextured, sgtTextured};

TEST(StereogramRun, AnyNumberOfThreadsGivesTheSamePicture) {
    for (TStereoGramType Type : kAllKinds) {
        for (TBlurType Blur : {blurNone, blurLight, blurMedium, blurHeavy}) {
            const TPicture One = RenderKind(Type, Blur, [](TStereogram&) {});
            for (int Threads : {2, 8}) {
                const TPicture Many = RenderKind(Type, Blur, [&](TStereogram& S) { S.SetThreads(Threads); });
                ExpectSamePicture(One, Many, "kind " + std::to_string(Type) + ", blur " + std::to_string(Blur) + ", threads " + std::to_string(Threads));
            }
        }
    }
}

TEST(StereogramRun, CrossEyedEqualsTheInvertedReliefViewedParallel) {
    const auto Level = [](int X, int Y) { return (X * Y / 7 + X) % 256; };
    for (TStereoGramType Type : kAllKinds) {
        for (TBlurType Blur : {blurNone, blurHeavy}) {
            const TPicture Crossed = RenderKind(Type, Blur, [](TStereogram& S) { S.SetCrossEyed(true); }, Level);
            const TPicture Inverted = RenderKind(Type, Blur, [](TStereogram&) {}, [&](int X, int Y) { return 255 - Level(X, Y); });
            ExpectSamePicture(Crossed, Inverted, "kind " + std::to_string(Type) + ", blur " + std::to_string(Blur));
        }
    }
}

TEST(StereogramRun, GuideDotsLieOneBackgroundSeparationApartAboveTheMiddle) {
    struct Case {
        const char* Name;
        TStereoGramType Type;
        int Width, Height, Oversampling;
        bool CrossEyed;
        double Max3Ddepth;
        int LeftCentre, RightCentre, Top, Radius;
    };
    const Case Cases[] = {
        // Separation 90 at level 0; top 600 / 25; radius 800 / 200.
        {"defaults", sgtFastRandomDot, 800, 600, 1, false, 14.0, 355, 445, 24, 4},
        // Crossed eyes take level 255: separation 60.
        {"crossed eyes", sgtFastRandomDot, 800, 600, 1, true, 14.0, 370, 430, 24, 4},
        // 181 samples at two a pixel: 90.5, rounded to the even 90; top at least 12, radius at least 3.
        {"half a pixel", sgtTextured, 500, 200, 2, false, 14.16, 205, 295, 12, 3},
    };
    for (const Case& C : Cases) {
        auto Make = [&](bool GuideDots) {
            TStereogram S(nullptr);
            S.SetDepthMap(GreyPicture(C.Width, C.Height, [](int X, int Y) { return X > 100 && Y > 100 ? 150 : 0; }));
            S.SetMaskMap(DistinctTexture(128, 128));
            S.SetStereoType(C.Type);
            S.SetWidth(C.Width);
            S.SetHeight(C.Height);
            S.SetOversampling(C.Oversampling);
            S.SetMax3Ddepth(C.Max3Ddepth);
            S.SetCrossEyed(C.CrossEyed);
            S.SetGuideDots(GuideDots);
            return Render(S);
        };
        const auto NearADot = [&](int X, int Y, int Radius) {
            const auto D2 = [&](int Centre) { return (X - Centre) * (X - Centre) + (Y - C.Top) * (Y - C.Top); };
            return std::min(D2(C.LeftCentre), D2(C.RightCentre)) <= Radius * Radius;
        };
        const TPicture Plain = Make(false), Dotted = Make(true);
        for (int Y = 0; Y < C.Height; ++Y)
            for (int X = 0; X < C.Width; ++X)
                ASSERT_EQ(Dotted.Bitmap().Pixel(X, Y), NearADot(X, Y, C.Radius)       ? clBlack
                                                       : NearADot(X, Y, C.Radius + 2) ? clWhite
                                                                                      : Plain.Bitmap().Pixel(X, Y))
                    << C.Name << " at " << X << ", " << Y;
    }
}
