// The LXE back-end in the test process over the stand-in LXEAPI.dll: the
// order and values of its library calls, read from the call log, what
// getBarcode hands out, and the "No scanner found" box. A message-only window
// stands in for the module window and routes message 1538 to
// onScannerMessage; the test itself plays the poll tick by calling getBarcode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/MessageTexts.h"
#include "modules/ostwin/LxeBackend.h"
#include "support/BackendTestKit.h"
#include "support/TestWindows.h"

namespace {

const char* const grgpszVarying[] = { "hwnd", "line", NULL };

#define WAIT_MS 5000
#define BASE_CONDITIONS "pace=0\n"

::testing::Environment* const gpKitEnvironment =
    ::testing::AddGlobalTestEnvironment(new BackendKitEnvironment());

class LxeBackendTest : public WindowBackendTestFixture<LxeBackend>
{
protected:
    LxeBackendTest() : WindowBackendTestFixture<LxeBackend>(BASE_CONDITIONS, 1538, grgpszVarying) {}

    size_t CountCalls(const char* pszName) const
    {
        return BackendTestKit::CallsSince(m_nMark, pszName).size();
    }

    // Feeds the lines and waits until each has been announced and the
    // announcement has reached the back-end.
    void FeedAndAnnounce(const std::vector<std::string>& lines)
    {
        int nArrived = m_pWindow->GetCount();
        for (const std::string& strLine : lines) {
            ASSERT_EQ(TRUE, m_pSession->FeedLine(strLine));
        }
        ULONGLONG ullStart = GetTickCount64();
        while (m_pWindow->GetCount() < nArrived + (int)lines.size()) {
            ASSERT_LT(GetTickCount64() - ullStart, (ULONGLONG)WAIT_MS) << "the labels were not announced";
            PumpWait(NULL, 10);
        }
    }
};

// ---- construction ----

struct KeyCase
{
    const char* pszName;
    const char* pszConditions;
    std::vector<std::string> calls;
};

class LxeConstructionTest : public LxeBackendTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(LxeConstructionTest, SwitchesTheKeysOffOnlyAtStatus1)
{
    Make(std::string(BASE_CONDITIONS) + GetParam().pszConditions);
    EXPECT_EQ(GetParam().calls, Calls());
    std::vector<SimCall> windows = BackendTestKit::CallsSince(m_nMark, "OstwinSetWindow");
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ((long long)(UINT_PTR)m_pWindow->GetHandle(), windows[0].GetNumber("hwnd", 0));
}

INSTANTIATE_TEST_SUITE_P(
    KeyStatus, LxeConstructionTest,
    ::testing::Values(
        KeyCase{ "On", "keystatus=1\n",
                 { "LXEHasIntScanner result=1", "OstwinKeyStatus result=1", "OstwinKeysOff result=1",
                   "OstwinSetWindow result=1" } },
        KeyCase{ "Off", "keystatus=0\n",
                 { "LXEHasIntScanner result=1", "OstwinKeyStatus result=0", "OstwinSetWindow result=1" } },
        KeyCase{ "Other", "keystatus=2\n",
                 { "LXEHasIntScanner result=1", "OstwinKeyStatus result=2", "OstwinSetWindow result=1" } },
        KeyCase{ "Negative", "keystatus=-1\n",
                 { "LXEHasIntScanner result=1", "OstwinKeyStatus result=-1", "OstwinSetWindow result=1" } }),
    [](const ::testing::TestParamInfo<KeyCase>& paramInfo) { return std::string(paramInfo.param.pszName); });

// What the timer saw of the box while the constructor waited for it.
struct BoxSighting
{
    HWND hBox = NULL;
    std::wstring strText;
    HWND hOwner = NULL;
    BOOL fForeground = FALSE;
    BOOL fIcon = FALSE;
    int nTicks = 0;
};

BoxSighting gBoxSighting;

// Runs inside the box's own message loop: notes the box and answers it.
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR idTimer, DWORD)
{
    gBoxSighting.nTicks++;
    HWND hBox = NULL;
    while (NULL != (hBox = FindWindowExW(NULL, hBox, TEST_BOX_CLASS, TVX_NO_SCANNER_CAPTION))) {
        DWORD dwProcess = 0;
        GetWindowThreadProcessId(hBox, &dwProcess);
        if (GetCurrentProcessId() == dwProcess) {
            break;
        }
    }
    if (NULL == hBox) {
        return;
    }
    gBoxSighting.hBox = hBox;
    gBoxSighting.strText = ReadBoxText(hBox);
    gBoxSighting.hOwner = GetWindow(hBox, GW_OWNER);
    gBoxSighting.fForeground = (GetForegroundWindow() == hBox) ? TRUE : FALSE;
    for (HWND hChild = GetWindow(hBox, GW_CHILD); NULL != hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (IsWindowVisible(hChild) && NULL != (HICON)SendMessageW(hChild, STM_GETICON, 0, 0)) {
            gBoxSighting.fIcon = TRUE;
        }
    }
    KillTimer(NULL, idTimer);
    PressBoxButton(hBox, IDOK);
}

TEST_F(LxeBackendTest, WithoutAnInternalScannerItSaysSoAndStillStarts)
{
    // A visible window of ours in front, to be the box's owner.
    HWND hFront = CreateFrontWindow();
    ASSERT_NE(nullptr, hFront);
    HWND hForeground = GetForegroundWindow();

    gBoxSighting = BoxSighting();
    UINT_PTR idTimer = SetTimer(NULL, 0, 50, AnswerBox);
    ASSERT_NE(0u, idTimer);
    Make(std::string(BASE_CONDITIONS) + "intscanner=0\n");
    KillTimer(NULL, idTimer);

    ASSERT_NE(nullptr, gBoxSighting.hBox) << "no box appeared";
    EXPECT_EQ(L"No scanner found", gBoxSighting.strText);
    EXPECT_NE(nullptr, hForeground);
    EXPECT_EQ(hForeground, gBoxSighting.hOwner);
    // MB_SETFOREGROUND. (Wine makes a box topmost only for MB_SYSTEMMODAL, so
    // MB_TOPMOST cannot be seen here.)
    EXPECT_EQ(TRUE, gBoxSighting.fForeground);
    EXPECT_EQ(FALSE, gBoxSighting.fIcon);
    EXPECT_FALSE(IsWindow(gBoxSighting.hBox));

    EXPECT_EQ(TRUE, m_pBackend->startScanning());
    std::vector<std::string> expected = { "LXEHasIntScanner result=0", "OstwinInputEnable result=1" };
    EXPECT_EQ(expected, Calls());
    DestroyWindow(hFront);
}

// ---- starting and stopping ----

TEST_F(LxeBackendTest, StartAndStopEachCallTheLibraryOnce)
{
    Make(BASE_CONDITIONS);
    m_nMark = BackendTestKit::Mark();
    EXPECT_EQ(TRUE, m_pBackend->startScanning());
    EXPECT_EQ(FALSE, m_pBackend->startScanning());
    EXPECT_EQ(TRUE, m_pBackend->stopScanning());
    EXPECT_EQ(FALSE, m_pBackend->stopScanning());
    m_pBackend.reset();
    std::vector<std::string> expected = { "OstwinInputEnable result=1", "OstwinInputDisable dropped=0 result=1" };
    EXPECT_EQ(expected, Calls());
}

TEST_F(LxeBackendTest, DestructionWhileScanningStops)
{
    Make(BASE_CONDITIONS);
    EXPECT_EQ(TRUE, m_pBackend->startScanning());
    m_nMark = BackendTestKit::Mark();
    m_pBackend.reset();
    std::vector<std::string> expected = { "OstwinInputDisable dropped=0 result=1" };
    EXPECT_EQ(expected, Calls());
}

// ---- reads ----

TEST_F(LxeBackendTest, ThirteenDigitsArriveAsTheSameThirteenCharacters)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    EXPECT_EQ(L"(null)", Fetch());
    FeedAndAnnounce({ "4006381333931" });
    std::wstring strText = Fetch();
    EXPECT_EQ(L"4006381333931", strText);
    EXPECT_EQ(13u, strText.size());
    EXPECT_EQ(L"(null)", Fetch());
    std::vector<SimCall> reads = BackendTestKit::CallsSince(m_nMark, "OstwinGetData");
    ASSERT_EQ(1u, reads.size());
    EXPECT_EQ(100, reads[0].GetNumber("capacity", 0));
}

TEST_F(LxeBackendTest, TwoAnnouncementsBeforeATickGiveOneRead)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    FeedAndAnnounce({ "111", "222" });
    EXPECT_EQ(L"222", Fetch());
    EXPECT_EQ(L"(null)", Fetch());
    EXPECT_EQ(1u, CountCalls("OstwinGetData"));
}

struct EmptyReadCase
{
    const char* pszName;
    const char* pszFeedLine;
};

class LxeEmptyReadTest : public LxeBackendTest, public ::testing::WithParamInterface<EmptyReadCase> {};

TEST_P(LxeEmptyReadTest, DeliversNothingAndIsNotRetried)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    FeedAndAnnounce({ GetParam().pszFeedLine });
    EXPECT_EQ(L"(null)", Fetch());
    EXPECT_EQ(L"(null)", Fetch());
    EXPECT_EQ(L"(null)", Fetch());
    EXPECT_EQ(1u, CountCalls("OstwinGetData"));
    // The next announcement is read as usual.
    FeedAndAnnounce({ "NEXT" });
    EXPECT_EQ(L"NEXT", Fetch());
}

INSTANTIATE_TEST_SUITE_P(
    Reads, LxeEmptyReadTest,
    ::testing::Values(
        EmptyReadCase{ "EmptyLabel", "" },
        EmptyReadCase{ "LengthZero", "{len=0}123" },
        EmptyReadCase{ "NegativeLength", "{len=-1}123" },
        EmptyReadCase{ "ReadFails", "{fail}123" }),
    [](const ::testing::TestParamInfo<EmptyReadCase>& paramInfo) { return std::string(paramInfo.param.pszName); });

TEST_F(LxeBackendTest, TheStopClearsAPendingAnnouncement)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    FeedAndAnnounce({ "PENDING" });
    EXPECT_EQ(TRUE, m_pBackend->stopScanning());
    EXPECT_EQ(L"(null)", Fetch());
    EXPECT_EQ(0u, CountCalls("OstwinGetData"));
}

TEST_F(LxeBackendTest, TheReportedLengthDoesNotLimitTheText)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    FeedAndAnnounce({ "{len=3}ABCDEF" });
    EXPECT_EQ(L"ABCDEF", Fetch());
}

TEST_F(LxeBackendTest, TheTextEndsAtItsFirstZeroByte)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    FeedAndAnnounce({ "AB\\x00CD" });
    EXPECT_EQ(L"AB", Fetch());
}

TEST_F(LxeBackendTest, AFullReadOf100BytesArrivesWhole)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    std::string strFull;
    for (int i = 0; i < 100; i++) {
        strFull += (char)('0' + i % 10);
    }
    FeedAndAnnounce({ strFull });
    EXPECT_EQ(std::wstring(strFull.begin(), strFull.end()), Fetch());
    // A longer label: the library stores only the 100 bytes it was allowed.
    FeedAndAnnounce({ strFull + "EXTRA" });
    EXPECT_EQ(std::wstring(strFull.begin(), strFull.end()), Fetch());
}

// Whatever the code page: byte 0xNN is character U+00NN, which the host
// narrows back to the byte 0xNN.
TEST_F(LxeBackendTest, EveryByteIsWidenedToTheCharacterOfItsValue)
{
    Make(BASE_CONDITIONS);
    ASSERT_EQ(TRUE, m_pBackend->startScanning());
    for (int nFirst : { 0x01, 0x56, 0xAB }) {
        std::string strLine;
        std::wstring strExpected;
        for (int nByte = nFirst; nByte < nFirst + 0x55; nByte++) {
            char szEscape[8];
            snprintf(szEscape, sizeof(szEscape), "\\x%02x", nByte);
            strLine += szEscape;
            strExpected += (WCHAR)nByte;
        }
        FeedAndAnnounce({ strLine });
        EXPECT_EQ(strExpected, Fetch()) << "bytes from 0x" << std::hex << nFirst;
    }
}

}
