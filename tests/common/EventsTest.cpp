// The stop events, within this process and across a second real process
// (common_events_helper, which opens them as an input module does).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/Events.h"
#include "support/TestProcess.h"
#include "HelperProtocol.h"
#include "CaseTitle.h"

// How long a helper may take to start, do its part and end.
#define HELPER_MS 10000

// A receiver window handle as the module rebuilds it from its eight digits.
static HWND HandleOf(DWORD dwValue)
{
    return (HWND)(LONG_PTR)(LONG)dwValue;
}

static std::wstring DigitsOf(DWORD dwValue)
{
    WCHAR szDigits[16];
    _snwprintf(szDigits, 16, L"%08lx", dwValue);
    szDigits[15] = L'\0';
    return szDigits;
}

static BOOL IsSignalled(HANDLE hEvent)
{
    return WAIT_OBJECT_0 == WaitForSingleObject(hEvent, 0) ? TRUE : FALSE;
}

// Opens an existing event by its full name; NULL when there is none.
static HANDLE OpenNamedEvent(const std::wstring& strName)
{
    return OpenEventW(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, strName.c_str());
}

static BOOL NamedEventExists(const std::wstring& strName)
{
    HANDLE hEvent = OpenNamedEvent(strName);
    if (NULL == hEvent) {
        return FALSE;
    }
    CloseHandle(hEvent);
    return TRUE;
}

class StopEventsTest : public ::testing::Test
{
protected:
    void TearDown() override { CloseStopEvents(); }

    static void StartHelper(TestProcess& helper, DWORD dwHandle, const WCHAR* pszCommand)
    {
        std::wstring strArguments = DigitsOf(dwHandle) + L" " + pszCommand;
        ASSERT_EQ(TRUE, helper.Start(GetTestProgramPath(EVENTS_HELPER).c_str(), strArguments.c_str()));
    }

    static DWORD RunHelper(DWORD dwHandle, const WCHAR* pszCommand)
    {
        TestProcess helper;
        StartHelper(helper, dwHandle, pszCommand);
        DWORD dwExitCode = (DWORD)-1;
        EXPECT_EQ(TRUE, helper.Wait(HELPER_MS, &dwExitCode)) << "helper still running";
        return dwExitCode;
    }
};

// ---- names ----

struct NameCase
{
    HWND hWnd;
    const WCHAR* pszDigits;
};

static void PrintTo(const NameCase& c, std::ostream* pos) { *pos << ::testing::PrintToString(c.pszDigits); }

class StopEventNamesTest : public StopEventsTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(StopEventNamesTest, NamesCarryTheHandleAsEightLowerCaseDigits)
{
    const std::wstring strDigits = GetParam().pszDigits;
    ASSERT_EQ(TRUE, CreateStopEvents(GetParam().hWnd));
    ASSERT_NE(nullptr, ghStopInputModuleEvent);
    ASSERT_NE(nullptr, ghInputModuleEventStopped);

    // Each name opens the very object in the global: signalling through the
    // name shows in the handle.
    HANDLE hStop = OpenNamedEvent(L"StopInputModule_" + strDigits);
    HANDLE hStopped = OpenNamedEvent(L"InputModuleStopped_" + strDigits);
    ASSERT_NE(nullptr, hStop);
    ASSERT_NE(nullptr, hStopped);
    EXPECT_EQ(FALSE, IsSignalled(ghInputModuleEventStopped));
    SetEvent(hStopped);
    EXPECT_EQ(TRUE, IsSignalled(ghInputModuleEventStopped));
    EXPECT_EQ(FALSE, IsSignalled(ghStopInputModuleEvent));
    SetEvent(hStop);
    EXPECT_EQ(TRUE, IsSignalled(ghStopInputModuleEvent));
    CloseHandle(hStop);
    CloseHandle(hStopped);
}

INSTANTIATE_TEST_SUITE_P(Cases, StopEventNamesTest, ::testing::Values(
    NameCase{ HandleOf(0x8000abcd), L"8000abcd" },
    NameCase{ (HWND)(UINT_PTR)0x8000abcdu, L"8000abcd" },
    NameCase{ HandleOf(0xdeadbeef), L"deadbeef" },
    NameCase{ HandleOf(0x1a), L"0000001a" },
    NameCase{ HandleOf(0x000a0b0c), L"000a0b0c" }));

TEST_F(StopEventsTest, NoOtherSpellingOfTheHandle)
{
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(0x8000001a)));
    EXPECT_EQ(TRUE, NamedEventExists(L"StopInputModule_8000001a"));
    EXPECT_EQ(FALSE, NamedEventExists(L"StopInputModule_ffffffff8000001a"));
    CloseStopEvents();
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(0x1a)));
    EXPECT_EQ(FALSE, NamedEventExists(L"StopInputModule_1a"));
    EXPECT_EQ(FALSE, NamedEventExists(L"InputModuleStopped_1a"));
    EXPECT_EQ(FALSE, NamedEventExists(L"InputModuleStopped_0000001A"));
    EXPECT_EQ(TRUE, NamedEventExists(L"InputModuleStopped_0000001a"));
}

// ---- kind and state ----

TEST_F(StopEventsTest, StartNotSignalledAndStaySignalled)
{
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(0x00c0ffee)));
    EXPECT_EQ(FALSE, IsSignalled(ghStopInputModuleEvent));
    EXPECT_EQ(FALSE, IsSignalled(ghInputModuleEventStopped));
    SetEvent(ghStopInputModuleEvent);
    SetEvent(ghInputModuleEventStopped);
    // Manual reset: a satisfied wait leaves them signalled.
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(TRUE, IsSignalled(ghStopInputModuleEvent));
        EXPECT_EQ(TRUE, IsSignalled(ghInputModuleEventStopped));
    }
}

TEST_F(StopEventsTest, CloseNullsBothAndTheObjectsVanish)
{
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(0x00c0ffee)));
    SetEvent(ghStopInputModuleEvent);
    SetEvent(ghInputModuleEventStopped);
    CloseStopEvents();
    EXPECT_EQ(nullptr, ghStopInputModuleEvent);
    EXPECT_EQ(nullptr, ghInputModuleEventStopped);
    EXPECT_EQ(FALSE, NamedEventExists(L"StopInputModule_00c0ffee"));
    EXPECT_EQ(FALSE, NamedEventExists(L"InputModuleStopped_00c0ffee"));
    CloseStopEvents();
    EXPECT_EQ(nullptr, ghStopInputModuleEvent);

    // After closing, the pair may be made again, and is new.
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(0x00c0ffee)));
    EXPECT_EQ(FALSE, IsSignalled(ghStopInputModuleEvent));
    EXPECT_EQ(FALSE, IsSignalled(ghInputModuleEventStopped));
}

struct TakenCase
{
    const char* pszTitle;
    const WCHAR* pszTakenName;
    const WCHAR* pszOtherName;
};

static void PrintTo(const TakenCase& c, std::ostream* pos) { *pos << c.pszTitle; }

class StopEventNameTakenTest : public StopEventsTest, public ::testing::WithParamInterface<TakenCase> {};

TEST_P(StopEventNameTakenTest, FailsWithBothHandlesNull)
{
    HANDLE hMutex = CreateMutexW(NULL, FALSE, GetParam().pszTakenName);
    ASSERT_NE(nullptr, hMutex);
    EXPECT_EQ(FALSE, CreateStopEvents(HandleOf(0x00bad0bb)));
    EXPECT_EQ(nullptr, ghStopInputModuleEvent);
    EXPECT_EQ(nullptr, ghInputModuleEventStopped);
    // Nothing made on the way is left open.
    EXPECT_EQ(FALSE, NamedEventExists(GetParam().pszOtherName));
    CloseHandle(hMutex);
    // The name free again, creation works.
    EXPECT_EQ(TRUE, CreateStopEvents(HandleOf(0x00bad0bb)));
}

INSTANTIATE_TEST_SUITE_P(Cases, StopEventNameTakenTest, ::testing::Values(
    TakenCase{ "StopName", L"StopInputModule_00bad0bb", L"InputModuleStopped_00bad0bb" },
    TakenCase{ "StoppedName", L"InputModuleStopped_00bad0bb", L"StopInputModule_00bad0bb" }),
    CaseTitle());

// ---- two processes ----

TEST_F(StopEventsTest, ModuleStopsWhenTheHostAsks)
{
    const DWORD dwHandle = 0x80012345;
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(dwHandle)));
    TestProcess module;
    StartHelper(module, dwHandle, EVENTS_SERVE);
    EXPECT_EQ(FALSE, module.Wait(300, NULL)) << "the module did not wait for the stop event";
    EXPECT_EQ(FALSE, IsSignalled(ghInputModuleEventStopped));

    ASSERT_TRUE(SetEvent(ghStopInputModuleEvent));
    DWORD dwExitCode = (DWORD)-1;
    ASSERT_EQ(TRUE, module.Wait(HELPER_MS, &dwExitCode));
    EXPECT_EQ((DWORD)EVENTS_OK, dwExitCode);
    // The module has closed its handles; the host's still shows its signal.
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(ghInputModuleEventStopped, 0));
}

TEST_F(StopEventsTest, HostSeesAModuleThatStopsOnItsOwn)
{
    const DWORD dwHandle = 0x0000002a;
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(dwHandle)));
    EXPECT_EQ((DWORD)EVENTS_OK, RunHelper(dwHandle, EVENTS_SIGNAL));
    EXPECT_EQ(TRUE, IsSignalled(ghInputModuleEventStopped));
    EXPECT_EQ(FALSE, IsSignalled(ghStopInputModuleEvent));
}

TEST_F(StopEventsTest, SecondCreatorGetsTheFirstsObjectAndState)
{
    const DWORD dwHandle = 0x0001f00d;
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(dwHandle)));
    EXPECT_EQ((DWORD)EVENTS_STATE, RunHelper(dwHandle, EVENTS_STATE_COMMAND));
    SetEvent(ghStopInputModuleEvent);
    EXPECT_EQ((DWORD)(EVENTS_STATE + 1), RunHelper(dwHandle, EVENTS_STATE_COMMAND));
    SetEvent(ghInputModuleEventStopped);
    EXPECT_EQ((DWORD)(EVENTS_STATE + 3), RunHelper(dwHandle, EVENTS_STATE_COMMAND));
}

TEST_F(StopEventsTest, ModuleMayBeTheFirstCreator)
{
    const DWORD dwHandle = 0xfedcba98;
    TestProcess module;
    StartHelper(module, dwHandle, EVENTS_FIRST);
    // Wait until the module has made the pair and signalled "stopped".
    const std::wstring strStopped = L"InputModuleStopped_" + DigitsOf(dwHandle);
    ULONGLONG ullStart = GetTickCount64();
    HANDLE hProbe = NULL;
    while (NULL == (hProbe = OpenNamedEvent(strStopped)) || !IsSignalled(hProbe)) {
        if (NULL != hProbe) {
            CloseHandle(hProbe);
        }
        ASSERT_LT(GetTickCount64() - ullStart, (ULONGLONG)HELPER_MS) << "the module made no events";
        Sleep(20);
    }
    CloseHandle(hProbe);

    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(dwHandle)));
    EXPECT_EQ(TRUE, IsSignalled(ghInputModuleEventStopped));
    EXPECT_EQ(FALSE, IsSignalled(ghStopInputModuleEvent));
    SetEvent(ghStopInputModuleEvent);
    DWORD dwExitCode = (DWORD)-1;
    ASSERT_EQ(TRUE, module.Wait(HELPER_MS, &dwExitCode));
    EXPECT_EQ((DWORD)EVENTS_OK, dwExitCode);
}

TEST_F(StopEventsTest, TwoHandlesDoNotInterfere)
{
    const DWORD dwFirst = 0x00010203;
    const DWORD dwSecond = 0x00010204;
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(dwFirst)));
    TestProcess firstModule;
    TestProcess secondModule;
    StartHelper(secondModule, dwSecond, EVENTS_SERVE);
    StartHelper(firstModule, dwFirst, EVENTS_SERVE);

    // Stopping the first module leaves the second one running.
    SetEvent(ghStopInputModuleEvent);
    DWORD dwExitCode = (DWORD)-1;
    ASSERT_EQ(TRUE, firstModule.Wait(HELPER_MS, &dwExitCode));
    EXPECT_EQ((DWORD)EVENTS_OK, dwExitCode);
    EXPECT_EQ(TRUE, IsSignalled(ghInputModuleEventStopped));
    EXPECT_EQ(FALSE, secondModule.Wait(300, NULL));
    EXPECT_EQ((DWORD)EVENTS_STATE, RunHelper(dwSecond, EVENTS_STATE_COMMAND));

    // Stopping the second one touches nothing of a first pair (made anew,
    // so that both of its events start clear).
    CloseStopEvents();
    ASSERT_EQ(TRUE, CreateStopEvents(HandleOf(dwFirst)));
    HANDLE hSecondStop = OpenNamedEvent(L"StopInputModule_" + DigitsOf(dwSecond));
    ASSERT_NE(nullptr, hSecondStop);
    SetEvent(hSecondStop);
    CloseHandle(hSecondStop);
    ASSERT_EQ(TRUE, secondModule.Wait(HELPER_MS, &dwExitCode));
    EXPECT_EQ((DWORD)EVENTS_OK, dwExitCode);
    EXPECT_EQ(FALSE, IsSignalled(ghStopInputModuleEvent));
    EXPECT_EQ(FALSE, IsSignalled(ghInputModuleEventStopped));
}
