#include "Application.h"

#include <gtest/gtest.h>

#include <string>

#include "Clock.h"

namespace {

std::string DisplayText(const std::string& Message) { return ExceptionDisplayText(Exception(Message)); }

}  // namespace

TEST(ExceptionDisplayText, FullStopOnlyAfterCharactersSortingAfterIt) {
    EXPECT_EQ(DisplayText("Abbildung ist leer"), "Abbildung ist leer.");
    EXPECT_EQ(DisplayText("Fertig."), "Fertig.");
    EXPECT_EQ(DisplayText("x!"), "x!");    // '!' sorts before '.'
    EXPECT_EQ(DisplayText("(a)"), "(a)");  // so does ')'
    EXPECT_EQ(DisplayText("Seite 1/2"), "Seite 1/2.");
    EXPECT_EQ(DisplayText("Bild ist zu groß"), "Bild ist zu groß.");
    EXPECT_EQ(DisplayText(""), "");
}

TEST(ApplicationHooks, ProcessMessagesCallsTheHookAndIsANoOpWithout) {
    int Calls = 0;
    Application->SetProcessMessagesHook([&] { ++Calls; });
    Application->ProcessMessages();
    Application->ProcessMessages();
    EXPECT_EQ(Calls, 2);
    Application->SetProcessMessagesHook({});
    EXPECT_NO_THROW(Application->ProcessMessages());
    EXPECT_EQ(Calls, 2);
}

TEST(ApplicationHooks, ShowExceptionGoesToTheHookOrElseToStandardError) {
    std::string Shown;
    Application->SetShowExceptionHook([&](const Exception& E) { Shown = E.Message(); });
    Application->ShowException(Exception("Maske ist leer"));
    EXPECT_EQ(Shown, "Maske ist leer");
    Application->SetShowExceptionHook({});
    testing::internal::CaptureStderr();
    Application->ShowException(Exception("Maske ist leer"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Maske ist leer.\n");
}

TEST(Clock, SourceReplacesTheClockUntilReset) {
    SetTimeOfDaySource([] { return TTimeOfDay{13, 5, 42, 7}; });
    const TTimeOfDay Fixed = UtcTimeOfDay();
    EXPECT_EQ(Fixed.Hour, 13);
    EXPECT_EQ(Fixed.Minute, 5);
    EXPECT_EQ(Fixed.Second, 42);
    EXPECT_EQ(Fixed.Millisecond, 7);

    SetTimeOfDaySource({});
    const TTimeOfDay Now = UtcTimeOfDay();
    EXPECT_GE(Now.Hour, 0);
    EXPECT_LT(Now.Hour, 24);
    EXPECT_LT(Now.Minute, 60);
    EXPECT_LT(Now.Second, 60);
    EXPECT_LT(Now.Millisecond, 1000);
}
