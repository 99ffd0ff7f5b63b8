// The real boxes of FatalAssert and ShowError, shown by a second process
// (common_box_helper) and read and dismissed from here.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/ErrorBox.h"
#include "common/MessageTexts.h"
#include "support/TestProcess.h"
#include "support/TestWindows.h"
#include "HelperProtocol.h"
#include "TripAssert.h"
#include "CaseTitle.h"

// How long the box may take to appear, and the program to end once it is
// dismissed.
#define BOX_MS 10000
#define END_MS 10000

static bool HasIcon(HWND hBox)
{
    for (HWND hChild = GetWindow(hBox, GW_CHILD); NULL != hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (SS_ICON == (GetWindowLongPtrW(hChild, GWL_STYLE) & SS_TYPEMASK)) {
            return true;
        }
    }
    return false;
}

struct AssertCase
{
    const char* pszTitle;
    const WCHAR* pszCommand;
    const WCHAR* pszExpression;
    const WCHAR* pszFile;  // the source module's name as the box shows it
    int nLine;             // 0: any line
};

static void PrintTo(const AssertCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class FatalAssertBoxTest : public ::testing::TestWithParam<AssertCase> {};

TEST_P(FatalAssertBoxTest, ShowsTheConditionThenEndsWithMinusOne)
{
    const AssertCase& c = GetParam();
    TestProcess program;
    ASSERT_EQ(TRUE, program.Start(GetTestProgramPath(BOX_HELPER).c_str(), c.pszCommand));
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, L"Fatal Error", BOX_MS, program.GetId());
    ASSERT_NE(nullptr, hBox) << "no box within " << BOX_MS << " ms";

    std::wstring strText = ReadBoxText(hBox);
    std::wstring strHead = std::wstring(L"Assertion failed: ") + c.pszExpression + L" (" + c.pszFile + L",";
    if (0 != c.nLine) {
        EXPECT_EQ(strHead + std::to_wstring(c.nLine) + L")", strText);
    } else {
        ASSERT_EQ(strHead, strText.substr(0, strHead.size()));
        std::wstring strLine = strText.substr(strHead.size());
        ASSERT_GE(strLine.size(), 2u) << strText;
        EXPECT_EQ(L')', strLine.back()) << strText;
        strLine.pop_back();
        EXPECT_EQ(std::wstring::npos, strLine.find_first_not_of(L"0123456789")) << strText;
    }
    EXPECT_EQ(nullptr, GetWindow(hBox, GW_OWNER));
    EXPECT_TRUE(HasIcon(hBox));

    // The box holds the program until it is dismissed.
    EXPECT_EQ(FALSE, program.Wait(200, NULL));
    ASSERT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 0;
    ASSERT_EQ(TRUE, program.Wait(END_MS, &dwExitCode));
    EXPECT_EQ(0xFFFFFFFFu, dwExitCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, FatalAssertBoxTest, ::testing::Values(
    AssertCase{ "KnownCondition", BOX_TRIP, L"" TRIP_ASSERT_EXPRESSION, L"" TRIP_ASSERT_FILE, gnTripAssertLine },
    AssertCase{ "EventsWithoutWindow", BOX_EVENTS_NULL, L"NULL != hWndReceiver", L"Events_win.cpp", 0 },
    AssertCase{ "EventsTwice", BOX_EVENTS_TWICE, L"NULL == ghStopInputModuleEvent", L"Events_win.cpp", 0 },
    AssertCase{ "RegistryWithoutPath", BOX_REGISTRY_NULL, L"NULL != pszKeyPath", L"Registry_win.cpp", 0 },
    AssertCase{ "RegistryNotOpen", BOX_REGISTRY_CLOSED, L"(HKEY)0 != m_hkKey", L"Registry_win.cpp", 0 },
    AssertCase{ "CopyOfNothing", BOX_COPY_NULL, L"NULL != pszSource", L"MyString.cpp", 0 }),
    CaseTitle());

// Without both texts there is nothing to show: the program just ends.
class FatalAssertSilentTest : public ::testing::TestWithParam<const WCHAR*> {};

TEST_P(FatalAssertSilentTest, EndsWithMinusOneWithoutABox)
{
    TestProcess program;
    ASSERT_EQ(TRUE, program.Start(GetTestProgramPath(BOX_HELPER).c_str(), GetParam()));
    DWORD dwExitCode = 0;
    ASSERT_EQ(TRUE, program.Wait(END_MS, &dwExitCode)) << "the program waits, as if behind a box";
    EXPECT_EQ(0xFFFFFFFFu, dwExitCode);
}

INSTANTIATE_TEST_SUITE_P(Cases, FatalAssertSilentTest, ::testing::Values(BOX_NO_EXPRESSION, BOX_NO_FILE));

// (Wine's message boxes ignore MB_TOPMOST, so that part cannot be seen here.)
TEST(ShowError, ShowsTheTextUnderTolvexAndReturnsTheButton)
{
    TestProcess program;
    ASSERT_EQ(TRUE, program.Start(GetTestProgramPath(BOX_HELPER).c_str(), BOX_SHOW_ERROR));
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, TVX_CAPTION, BOX_MS, program.GetId());
    ASSERT_NE(nullptr, hBox) << "no box within " << BOX_MS << " ms";
    EXPECT_EQ(L"Tolvex", GetWindowTextOf(hBox));
    EXPECT_EQ(TVX_EVENTS_FAILED_TEXT, ReadBoxText(hBox));
    EXPECT_EQ(nullptr, GetWindow(hBox, GW_OWNER));
    EXPECT_TRUE(HasIcon(hBox));

    ASSERT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 0;
    ASSERT_EQ(TRUE, program.Wait(END_MS, &dwExitCode));
    EXPECT_EQ((DWORD)IDOK, dwExitCode);
}
