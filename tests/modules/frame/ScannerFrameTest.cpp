// The module frame as the host meets it: FrameTestModule.exe started with a
// receiver window's handle, this test playing the host (receiver window and
// stop events) and the terminal (the simulated feed).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/EventNames.h"
#include "common/Events.h"
#include "common/Folders.h"
#include "common/MessageTexts.h"
#include "support/SimSession.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TestWindows.h"

namespace {

const WCHAR* const kModule = L"FrameTestModule.exe";
const WCHAR* const kReceiverClass = L"TvxFrameTestReceiver";
// Starting a program under Wine, and anything that waits for it.
const DWORD kStartMs = 10000;
// How long the host waits for the stopped event.
const DWORD kHostStopWaitMs = 1000;

struct Delivery
{
    WPARAM wParam;
    ULONG_PTR dwData;
    DWORD cbData;
    std::vector<BYTE> bytes;
    ULONGLONG nTick;
};

std::vector<Delivery> gDeliveries;
// The receiver asks the module to stop as it takes this scan (0: never).
size_t gnStopAtScan = 0;

LRESULT CALLBACK ReceiverProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (WM_COPYDATA == uMsg) {
        const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        Delivery delivery;
        delivery.wParam = wParam;
        delivery.dwData = pcds->dwData;
        delivery.cbData = pcds->cbData;
        const BYTE* pb = static_cast<const BYTE*>(pcds->lpData);
        delivery.bytes.assign(pb, pb + pcds->cbData);
        delivery.nTick = GetTickCount64();
        gDeliveries.push_back(delivery);
        if (gDeliveries.size() == gnStopAtScan) {
            SetEvent(ghStopInputModuleEvent);
        }
        return TRUE;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

std::wstring HandleDigits(DWORD dwValue)
{
    WCHAR szDigits[16];
    _snwprintf(szDigits, 16, TVX_HANDLE_FORMAT, dwValue);
    szDigits[15] = L'\0';
    return szDigits;
}

// The UTF-16 bytes of a text with its terminator, as WM_COPYDATA carries it.
std::vector<BYTE> Utf16Bytes(const std::wstring& strText)
{
    std::vector<BYTE> bytes;
    for (WCHAR ch : strText) {
        bytes.push_back((BYTE)(ch & 0xFF));
        bytes.push_back((BYTE)(ch >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

BOOL EventExists(const WCHAR* pszFormat, DWORD dwValue)
{
    WCHAR szName[64];
    _snwprintf(szName, 64, pszFormat, dwValue);
    szName[63] = L'\0';
    HANDLE hEvent = OpenEventW(SYNCHRONIZE, FALSE, szName);
    if (NULL == hEvent) {
        return FALSE;
    }
    CloseHandle(hEvent);
    return TRUE;
}

size_t IndexOf(const std::vector<SimCall>& calls, const char* pszName, const char* pszStep = NULL)
{
    for (size_t i = 0; i < calls.size(); i++) {
        if (calls[i].strName == pszName &&
            (NULL == pszStep || calls[i].GetText("step") == std::wstring(pszStep, pszStep + strlen(pszStep)))) {
            return i;
        }
    }
    return (size_t)-1;
}

size_t CountNotes(const SimSession& sim, const char* pszStep)
{
    size_t nCount = 0;
    std::wstring strStep(pszStep, pszStep + strlen(pszStep));
    for (const SimCall& call : sim.ReadCalls("TestScanNote")) {
        if (call.GetText("step") == strStep) {
            nCount++;
        }
    }
    return nCount;
}

class ScannerFrame : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_sim.IsReady());
        static bool fRegistered = false;
        if (!fRegistered) {
            WNDCLASSW wc;
            ZeroMemory(&wc, sizeof(wc));
            wc.lpfnWndProc = ReceiverProc;
            wc.hInstance = GetModuleHandleW(NULL);
            wc.lpszClassName = kReceiverClass;
            ASSERT_NE(0, RegisterClassW(&wc));
            fRegistered = true;
        }
        m_hWndReceiver = CreateWindowExW(0, kReceiverClass, L"Receiver", WS_OVERLAPPED, 0, 0, 100,
                                         100, NULL, NULL, GetModuleHandleW(NULL), NULL);
        ASSERT_NE(nullptr, m_hWndReceiver);
        m_dwReceiver = (DWORD)(UINT_PTR)m_hWndReceiver;
        gDeliveries.clear();
        gnStopAtScan = 0;
        SetEnvironmentVariableW(L"TVX_TEST_DEVICE_MESSAGE", NULL);
        SetEnvironmentVariableW(L"TVX_TEST_SETTINGS_FILE", NULL);
        SetEnvironmentVariableW(L"TVX_TEST_DELIVER_ALL", NULL);
    }

    void TearDown() override
    {
        m_module.Close();
        CloseStopEvents();
        if (IsWindow(m_hWndReceiver)) {
            DestroyWindow(m_hWndReceiver);
        }
        SetEnvironmentVariableW(L"TVX_TEST_DEVICE_MESSAGE", NULL);
        SetEnvironmentVariableW(L"TVX_TEST_SETTINGS_FILE", NULL);
        SetEnvironmentVariableW(L"TVX_TEST_DELIVER_ALL", NULL);
    }

    // Plays the host: the events first, then the module with our handle.
    void StartWithReceiver()
    {
        ASSERT_EQ(TRUE, CreateStopEvents(m_hWndReceiver));
        ASSERT_EQ(TRUE, m_module.Start(GetTestProgramPath(kModule).c_str(),
                                       HandleDigits(m_dwReceiver).c_str()));
    }

    // Waits, answering the module, until n scans have arrived.
    BOOL WaitForDeliveries(size_t n, DWORD dwTimeoutMs)
    {
        return PumpUntil([&] { return gDeliveries.size() >= n; }, dwTimeoutMs);
    }

    // The host's side of the stop: signal, then wait at most one second.
    // Returns the milliseconds the stopped event took, or -1.
    long long RequestStop()
    {
        ULONGLONG nStart = GetTickCount64();
        SetEvent(ghStopInputModuleEvent);
        if (!PumpWait(ghInputModuleEventStopped, kHostStopWaitMs)) {
            return -1;
        }
        return (long long)(GetTickCount64() - nStart);
    }

    void ExpectExitCode(DWORD dwExpected)
    {
        DWORD dwExitCode = 12345;
        ASSERT_EQ(TRUE, m_module.Wait(kStartMs, &dwExitCode));
        EXPECT_EQ(dwExpected, dwExitCode);
    }

    // The text of the message box the module shows; presses its OK button.
    std::wstring AnswerBox(const WCHAR* pszCaption)
    {
        HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, pszCaption, kStartMs, m_module.GetId());
        if (NULL == hBox) {
            return L"(no box)";
        }
        std::wstring strText = ReadBoxText(hBox);
        EXPECT_EQ(TRUE, PressBoxButton(hBox, IDOK));
        return strText;
    }

    SimSession m_sim;
    TestProcess m_module;
    HWND m_hWndReceiver = NULL;
    DWORD m_dwReceiver = 0;
};

// ---- The argument -------------------------------------------------------

struct RefusedArgument
{
    const WCHAR* pszArgument;  // NULL: no argument at all
    DWORD dwNamed;             // the value a careless parse could take from it
};

class RefusedCommandLine : public ScannerFrame,
                           public ::testing::WithParamInterface<RefusedArgument>
{
};

TEST_P(RefusedCommandLine, ShowsTheMessageTouchesNothingAndEndsWithZero)
{
    const RefusedArgument& arg = GetParam();
    ASSERT_EQ(TRUE, m_module.Start(GetTestProgramPath(kModule).c_str(), arg.pszArgument));

    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, L"Tolvex", kStartMs, m_module.GetId());
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(std::wstring(TVX_MODULE_REFUSED_TEXT), ReadBoxText(hBox));
    // While the box is up: no events under any name the argument could give,
    // no module window, no back-end.
    EXPECT_FALSE(EventExists(TVX_STOP_EVENT_FORMAT, arg.dwNamed));
    EXPECT_FALSE(EventExists(TVX_STOPPED_EVENT_FORMAT, arg.dwNamed));
    EXPECT_EQ(nullptr, WaitForTopWindow(L"Scanner", NULL, 0, m_module.GetId()));
    EXPECT_TRUE(m_sim.ReadCalls().empty());

    ASSERT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    ExpectExitCode(0);
    EXPECT_TRUE(m_sim.ReadCalls().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RefusedCommandLine,
    ::testing::Values(RefusedArgument{ NULL, 0 },
                      RefusedArgument{ L"0012345", 0x00012345 },
                      RefusedArgument{ L"123456789", 0x12345678 },
                      RefusedArgument{ L"1234567g", 0x01234567 },
                      RefusedArgument{ L"1234 678", 0x00001234 },
                      RefusedArgument{ L"0x123456", 0x00123456 },
                      RefusedArgument{ L"00000000", 0 }));

TEST_F(ScannerFrame, MixedCaseWithTopBitSetReachesTheReceiver)
{
    // Wine takes a handle whose upper word is 0xffff for the window with the
    // same lower word, so the digits can carry letters of both cases and a
    // top bit, whatever handle the receiver got.
    DWORD dwValue = 0xFFFF0000 | (m_dwReceiver & 0xFFFF);
    std::wstring strDigits = L"FfFf" + HandleDigits(m_dwReceiver & 0xFFFF).substr(4);
    ASSERT_EQ(TRUE, CreateStopEvents((HWND)(LONG_PTR)(LONG)dwValue));
    ASSERT_EQ(TRUE, m_module.Start(GetTestProgramPath(kModule).c_str(), strDigits.c_str()));
    ASSERT_TRUE(m_sim.FeedLine("mixed"));

    ASSERT_TRUE(WaitForDeliveries(1, kStartMs));
    EXPECT_EQ(Utf16Bytes(L"mixed"), gDeliveries[0].bytes);
    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
}

// ---- Delivery -----------------------------------------------------------

TEST_F(ScannerFrame, StartsInOrderAndDeliversEachScanAsCopyData)
{
    StartWithReceiver();
    // Empty, control characters, a group separator and a Latin-1 letter.
    ASSERT_TRUE(m_sim.FeedLine("4006381333931"));
    ASSERT_TRUE(m_sim.FeedLine(""));
    ASSERT_TRUE(m_sim.FeedLine("]C1\\x1d0112\\t\\xe9"));
    ASSERT_TRUE(WaitForDeliveries(3, kStartMs));

    const std::wstring rgExpected[] = { L"4006381333931", L"", L"]C1\x1d" L"0112\t\xe9" };
    for (size_t i = 0; i < 3; i++) {
        SCOPED_TRACE(i);
        EXPECT_EQ(0u, gDeliveries[i].wParam);
        EXPECT_EQ(0u, gDeliveries[i].dwData);
        EXPECT_EQ((rgExpected[i].size() + 1) * 2, gDeliveries[i].cbData);
        EXPECT_EQ(Utf16Bytes(rgExpected[i]), gDeliveries[i].bytes);
    }
    EXPECT_EQ(2u, gDeliveries[1].cbData);

    HWND hWndModule = WaitForTopWindow(L"Scanner", L"Scanner", kStartMs, m_module.GetId());
    ASSERT_NE(nullptr, hWndModule);
    EXPECT_FALSE(IsWindowVisible(hWndModule));

    // The start: the module's own step, the back-end made, enabled, the
    // module's step before the start, started; one good read per scan.
    std::vector<SimCall> calls = m_sim.ReadCalls();
    size_t iCreate = IndexOf(calls, "TestScanNote", "create");
    size_t iOpen = IndexOf(calls, "TestScanOpen");
    size_t iEnable = IndexOf(calls, "TestScanEnableAll");
    size_t iBefore = IndexOf(calls, "TestScanNote", "before-start");
    size_t iStart = IndexOf(calls, "TestScanStart");
    ASSERT_NE((size_t)-1, iStart);
    EXPECT_LT(iCreate, iOpen);
    EXPECT_LT(iOpen, iEnable);
    EXPECT_LT(iEnable, iBefore);
    EXPECT_LT(iBefore, iStart);
    EXPECT_EQ((long long)(UINT_PTR)hWndModule, calls[iOpen].GetNumber("hwnd", 0));
    EXPECT_EQ(3u, CountNotes(m_sim, "good-read"));

    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
}

TEST_F(ScannerFrame, LongScanIsCutToTheWindowBuffer)
{
    StartWithReceiver();
    ASSERT_TRUE(m_sim.FeedLine(std::string(9000, '7')));
    ASSERT_TRUE(WaitForDeliveries(1, kStartMs));
    // 8320 units with the terminator.
    EXPECT_EQ(8320u * 2, gDeliveries[0].cbData);
    EXPECT_EQ(Utf16Bytes(std::wstring(8319, L'7')), gDeliveries[0].bytes);
    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
}

TEST_F(ScannerFrame, AtMostOneScanPerTick)
{
    // Five labels waiting at the first tick: one scan per 100 ms tick, so
    // the five arrive over at least four ticks, not at once.
    for (int i = 0; i < 5; i++) {
        ASSERT_TRUE(m_sim.FeedLine("label" + std::to_string(i)));
    }
    StartWithReceiver();
    ASSERT_TRUE(WaitForDeliveries(5, kStartMs));
    for (size_t i = 0; i < 5; i++) {
        EXPECT_EQ(Utf16Bytes(L"label" + std::to_wstring(i)), gDeliveries[i].bytes);
    }
    // Ticks may bunch when the machine is busy; half the period is a safe floor.
    EXPECT_GE(gDeliveries[4].nTick - gDeliveries[0].nTick, 4u * 50u);
    // Each tick asked the back-end once: the reads that found a label are the scans.
    size_t nReadsWithText = 0;
    for (const SimCall& call : m_sim.ReadCalls("TestScanRead")) {
        nReadsWithText += call.GetNumber("result", -1) >= 0 ? 1 : 0;
    }
    EXPECT_EQ(5u, nReadsWithText);
    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
}

TEST_F(ScannerFrame, DeliveringAllWaitingLooksAtTheStopBeforeEachScan)
{
    // Five labels waiting at the first tick of a module that delivers every
    // waiting scan; the host asks it to stop while it takes the third.
    SetEnvironmentVariableW(L"TVX_TEST_DELIVER_ALL", L"1");
    gnStopAtScan = 3;
    for (int i = 0; i < 5; i++) {
        ASSERT_TRUE(m_sim.FeedLine("label" + std::to_string(i)));
    }
    StartWithReceiver();
    EXPECT_TRUE(PumpWait(ghInputModuleEventStopped, kStartMs));
    ExpectExitCode(0);
    ASSERT_EQ(3u, gDeliveries.size());
    for (size_t i = 0; i < 3; i++) {
        EXPECT_EQ(Utf16Bytes(L"label" + std::to_wstring(i)), gDeliveries[i].bytes);
    }
    // All three at the first tick, one right after the other (one scan per
    // tick would take two more ticks), and the fourth label never asked for.
    EXPECT_LT(gDeliveries[2].nTick - gDeliveries[0].nTick, 100u);
    EXPECT_EQ(3u, m_sim.ReadCalls("TestScanRead").size());
}

// ---- The device message -------------------------------------------------

class DeviceMessage : public ScannerFrame, public ::testing::WithParamInterface<UINT>
{
};

TEST_P(DeviceMessage, ReachesTheBackEndOnlyWithTheModulesNumber)
{
    UINT uMessage = GetParam();
    SetEnvironmentVariableW(L"TVX_TEST_DEVICE_MESSAGE", std::to_wstring(uMessage).c_str());
    StartWithReceiver();
    HWND hWndModule = WaitForTopWindow(L"Scanner", L"Scanner", kStartMs, m_module.GetId());
    ASSERT_NE(nullptr, hWndModule);
    ASSERT_TRUE(m_sim.WaitForCalls("TestScanStart", 1, kStartMs));

    // The other module's number is not routed.
    UINT uOther = (1025 == uMessage) ? 1538 : 1025;
    ASSERT_TRUE(PostMessageW(hWndModule, uOther, 0, 0));
    // A label announced by the library with the module's number arrives.
    ASSERT_TRUE(m_sim.FeedLine("announced"));
    ASSERT_TRUE(WaitForDeliveries(1, kStartMs));
    EXPECT_EQ(Utf16Bytes(L"announced"), gDeliveries[0].bytes);
    EXPECT_EQ(1u, CountNotes(m_sim, "device-message"));
    std::vector<SimCall> posts = m_sim.ReadCalls("*post");
    ASSERT_EQ(1u, posts.size());
    EXPECT_EQ((long long)uMessage, posts[0].GetNumber("msg", 0));

    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
}

INSTANTIATE_TEST_SUITE_P(FalconAndLxe, DeviceMessage, ::testing::Values(1025u, 1538u));

TEST_F(ScannerFrame, WithoutDeviceMessageNothingIsRouted)
{
    StartWithReceiver();
    HWND hWndModule = WaitForTopWindow(L"Scanner", L"Scanner", kStartMs, m_module.GetId());
    ASSERT_NE(nullptr, hWndModule);
    ASSERT_TRUE(PostMessageW(hWndModule, 1025, 0, 0));
    ASSERT_TRUE(PostMessageW(hWndModule, 1538, 0, 0));
    // A scan after the posts shows that they have been handled.
    ASSERT_TRUE(m_sim.FeedLine("polled"));
    ASSERT_TRUE(WaitForDeliveries(1, kStartMs));
    EXPECT_EQ(0u, CountNotes(m_sim, "device-message"));
    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
}

// ---- Stopping -----------------------------------------------------------

TEST_F(ScannerFrame, StopsTheBackEndAndReportsWithinTheHostsSecond)
{
    StartWithReceiver();
    ASSERT_TRUE(m_sim.FeedLine("before the stop"));
    ASSERT_TRUE(WaitForDeliveries(1, kStartMs));

    long long nStopMs = RequestStop();
    EXPECT_GE(nStopMs, 0) << "no stopped event within " << kHostStopWaitMs << " ms";
    ExpectExitCode(0);

    std::vector<SimCall> calls = m_sim.ReadCalls();
    ASSERT_GE(calls.size(), 2u);
    // Stopped, then destroyed, and nothing after.
    EXPECT_EQ("TestScanStop", calls[calls.size() - 2].strName);
    EXPECT_EQ("TestScanClose", calls[calls.size() - 1].strName);
    EXPECT_EQ(1u, m_sim.ReadCalls("TestScanStop").size());
    EXPECT_EQ(1u, gDeliveries.size());
}

TEST_F(ScannerFrame, StopAlreadySetAtTheFirstTickDeliversNothing)
{
    ASSERT_TRUE(m_sim.FeedLine("waiting"));
    ASSERT_EQ(TRUE, CreateStopEvents(m_hWndReceiver));
    SetEvent(ghStopInputModuleEvent);
    ASSERT_EQ(TRUE, m_module.Start(GetTestProgramPath(kModule).c_str(),
                                   HandleDigits(m_dwReceiver).c_str()));

    EXPECT_TRUE(PumpWait(ghInputModuleEventStopped, kStartMs));
    ExpectExitCode(0);
    PumpWait(NULL, 200);
    EXPECT_TRUE(gDeliveries.empty());
    // The waiting scan was never asked for; the back-end was stopped and destroyed.
    EXPECT_TRUE(m_sim.ReadCalls("TestScanRead").empty());
    EXPECT_EQ(1u, m_sim.ReadCalls("TestScanStop").size());
    EXPECT_EQ(1u, m_sim.ReadCalls("TestScanClose").size());
}

TEST_F(ScannerFrame, IdleModuleDestroysItsBackEndWithoutStoppingIt)
{
    ASSERT_TRUE(m_sim.SetConditions("refuse=TestScanStart\n"));
    StartWithReceiver();
    ASSERT_TRUE(m_sim.WaitForCalls("TestScanStart", 1, kStartMs));
    ASSERT_TRUE(m_sim.FeedLine("never"));
    PumpWait(NULL, 400);

    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
    EXPECT_TRUE(gDeliveries.empty());
    EXPECT_TRUE(m_sim.ReadCalls("TestScanStop").empty());
    EXPECT_EQ(1u, m_sim.ReadCalls("TestScanClose").size());
}

TEST_F(ScannerFrame, ReceiverGoneModuleGoesOnAndStillStops)
{
    StartWithReceiver();
    ASSERT_TRUE(m_sim.FeedLine("first"));
    ASSERT_TRUE(WaitForDeliveries(1, kStartMs));
    ASSERT_TRUE(DestroyWindow(m_hWndReceiver));

    // Both later scans are taken and sent into the void, one after the other.
    ASSERT_TRUE(m_sim.FeedLine("second"));
    ASSERT_TRUE(m_sim.FeedLine("third"));
    ASSERT_TRUE(m_sim.WaitForCalls("TestScanNote", 1 + 1 + 3, kStartMs));  // create, before-start, 3 good reads
    EXPECT_EQ(3u, CountNotes(m_sim, "good-read"));

    EXPECT_LE(0, RequestStop());
    ExpectExitCode(0);
    EXPECT_EQ(1u, gDeliveries.size());
}

TEST_F(ScannerFrame, CloseFromOutsideEndsWithoutTheStoppedEvent)
{
    StartWithReceiver();
    HWND hWndModule = WaitForTopWindow(L"Scanner", L"Scanner", kStartMs, m_module.GetId());
    ASSERT_NE(nullptr, hWndModule);
    ASSERT_TRUE(m_sim.WaitForCalls("TestScanStart", 1, kStartMs));
    ASSERT_TRUE(PostMessageW(hWndModule, WM_COMMAND, IDOK, 0));

    ExpectExitCode(0);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(ghInputModuleEventStopped, 0));
    // The window object still releases the back-end it owns.
    EXPECT_EQ(1u, m_sim.ReadCalls("TestScanStop").size());
    EXPECT_EQ(1u, m_sim.ReadCalls("TestScanClose").size());
}

// ---- Failures at start --------------------------------------------------

class EventNameTaken : public ScannerFrame, public ::testing::WithParamInterface<const WCHAR*>
{
};

TEST_P(EventNameTaken, ShowsTheMessageAndEndsWithZero)
{
    WCHAR szName[64];
    _snwprintf(szName, 64, GetParam(), m_dwReceiver);
    szName[63] = L'\0';
    HANDLE hMutex = CreateMutexW(NULL, FALSE, szName);
    ASSERT_NE(nullptr, hMutex);
    ASSERT_EQ(TRUE, m_module.Start(GetTestProgramPath(kModule).c_str(),
                                   HandleDigits(m_dwReceiver).c_str()));

    EXPECT_EQ(std::wstring(TVX_EVENTS_FAILED_TEXT), AnswerBox(L"Tolvex"));
    ExpectExitCode(0);
    EXPECT_TRUE(m_sim.ReadCalls().empty());
    CloseHandle(hMutex);
}

INSTANTIATE_TEST_SUITE_P(EitherName, EventNameTaken,
                         ::testing::Values(TVX_STOP_EVENT_FORMAT, TVX_STOPPED_EVENT_FORMAT));

struct FatalCase
{
    const char* pszRefuse;
    const WCHAR* pszAssertion;
};

class FatalStart : public ScannerFrame, public ::testing::WithParamInterface<FatalCase>
{
};

TEST_P(FatalStart, EndsWithTheAssertionAndNoStoppedEvent)
{
    ASSERT_TRUE(m_sim.SetConditions(std::string("refuse=") + GetParam().pszRefuse + "\n"));
    StartWithReceiver();
    std::wstring strText = AnswerBox(L"Fatal Error");
    std::wstring strExpected = std::wstring(L"Assertion failed: ") + GetParam().pszAssertion +
                               L" (ScannerWindow.cpp,";
    EXPECT_EQ(strExpected, strText.substr(0, strExpected.size()));
    ExpectExitCode((DWORD)-1);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(ghInputModuleEventStopped, 0));
}

INSTANTIATE_TEST_SUITE_P(
    BackEnd, FatalStart,
    ::testing::Values(FatalCase{ "TestScanOpen", L"NULL !=m_pScanner" },
                      FatalCase{ "TestScanEnableAll", L"TRUE == m_pScanner->enableAllBarcodeTypes()" }));

// ---- The module's settings file -----------------------------------------

TEST_F(ScannerFrame, SettingsFileMissingTellsThePathAndReportsStopped)
{
    SetEnvironmentVariableW(L"TVX_TEST_SETTINGS_FILE", L"FrameTestMissing.txt");
    StartWithReceiver();
    std::wstring strText = AnswerBox(L"Tolvex");
    ASSERT_EQ(TRUE, FindInstallFolder(NULL));
    EXPECT_EQ(L"Failed to read settings from file " + std::wstring(GetInstallFolder()) +
                  L"\\FrameTestMissing.txt.",
              strText);
    ExpectExitCode(0);
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(ghInputModuleEventStopped, 0));
    EXPECT_TRUE(m_sim.ReadCalls().empty());
}

TEST_F(ScannerFrame, SettingsFileOverridesOnlyTheNamesItHolds)
{
    ASSERT_EQ(TRUE, FindInstallFolder(NULL));
    std::wstring strFile = std::wstring(GetInstallFolder()) + L"\\FrameTest.txt";
    struct { const char* pszContent; const char* pszNote; } rgCases[] = {
        { "Other=1\r\n", "create Greeting=hello" },
        { "greeting=hi\r\n", "create Greeting=hi" },
    };
    for (const auto& c : rgCases) {
        SCOPED_TRACE(c.pszContent);
        ASSERT_EQ(TRUE, WriteTextFile(strFile, c.pszContent));
        ASSERT_TRUE(m_sim.Reset());
        SetEnvironmentVariableW(L"TVX_TEST_SETTINGS_FILE", L"FrameTest.txt");
        StartWithReceiver();
        ASSERT_TRUE(m_sim.WaitForCalls("TestScanStart", 1, kStartMs));
        EXPECT_EQ(1u, CountNotes(m_sim, c.pszNote));
        EXPECT_LE(0, RequestStop());
        ExpectExitCode(0);
        m_module.Close();
        CloseStopEvents();
    }
    DeleteFileW(strFile.c_str());
}

}
