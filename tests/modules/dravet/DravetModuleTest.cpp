// Dravet.exe as the host meets it: copied into an installation folder of its
// own with the stand-in BHTLib.dll and its settings file "Dravet.txt",
// started with a receiver window's handle after the test has made the stop
// events, fed reads, and stopped.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "common/Events.h"
#include "support/ModuleTestFixture.h"
#include "support/TestWindows.h"

namespace {

const WCHAR* const grgpszLibraries[] = { L"BHTLib.dll", NULL };

class DravetModule : public InstalledModuleTestFixture
{
protected:
    DravetModule() : InstalledModuleTestFixture(L"Dravet.exe", grgpszLibraries) {}

    // As the host: the events first, then the module. A NULL settings text
    // leaves the installation without "Dravet.txt".
    void Start(const char* pszSettings, const std::string& strConditions)
    {
        ASSERT_EQ(TRUE, m_install.WriteFile(L"Dravet.txt", pszSettings));
        InstalledModuleTestFixture::Start("beep=off\n" + strConditions);
    }

    // The calls up to the library's first poll: what the start did.
    std::vector<std::string> StartCalls() const
    {
        std::vector<std::string> names;
        for (const SimCall& call : m_sim.ReadCalls()) {
            if ("BHT_GetBarNum" == call.strName) {
                break;
            }
            if ('*' != call.strName[0]) {
                names.push_back(call.strName);
            }
        }
        return names;
    }

    // Whether the process has a window of class "Scanner".
    BOOL HasScannerWindow() const
    {
        struct Search
        {
            DWORD dwProcessId;
            BOOL fFound;
        } search = { m_process.GetId(), FALSE };
        EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                Search* pSearch = reinterpret_cast<Search*>(lParam);
                DWORD dwOwner = 0;
                GetWindowThreadProcessId(hWnd, &dwOwner);
                WCHAR szClass[32] = L"";
                GetClassNameW(hWnd, szClass, 32);
                if (dwOwner == pSearch->dwProcessId && 0 == lstrcmpW(szClass, L"Scanner")) {
                    pSearch->fFound = TRUE;
                }
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.fFound;
    }
};

TEST_F(DravetModule, WithoutItsSettingsFileItSaysWhichAndReportsStopped)
{
    Start(NULL, "");
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, L"Tolvex", START_MS, m_process.GetId());
    ASSERT_NE(nullptr, hBox);
    EXPECT_EQ(L"Failed to read settings from file " + m_install.GetFilePath(L"Dravet.txt") + L".",
              ReadBoxText(hBox));
    EXPECT_EQ(FALSE, HasScannerWindow());
    EXPECT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 12345;
    ASSERT_EQ(TRUE, m_process.Wait(START_MS, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    // The host, which watches it, learns that the module has stopped.
    EXPECT_EQ((DWORD)WAIT_OBJECT_0, WaitForSingleObject(ghInputModuleEventStopped, 0));
    // No window, so no back-end: the terminal was never called.
    EXPECT_TRUE(m_sim.ReadCalls().empty());
}

struct SettingsCase
{
    const char* pszSettings;
    std::vector<std::string> startCalls;
    long long nSelect;       // BHT_SetSysSettingDW's value; -1: not called
    long long nOnTime;       // BHT_StartBeep's first argument; -1: no beep
    long long nFrequency;
};

class DravetSettings : public DravetModule, public ::testing::WithParamInterface<SettingsCase>
{
};

TEST_P(DravetSettings, ANamedSettingOverridesOnlyItsDefault)
{
    const SettingsCase& c = GetParam();
    Start(c.pszSettings, "");
    ASSERT_EQ(TRUE, m_sim.FeedLine("{type=M}FIRST"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("SECOND"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(2, START_MS));
    std::vector<std::wstring> expected = { L"FIRST", L"SECOND" };
    EXPECT_EQ(expected, m_receiver.GetTexts());
    StopAndExpectExit0();

    EXPECT_EQ(c.startCalls, StartCalls());
    std::vector<SimCall> selects = m_sim.ReadCalls("BHT_SetSysSettingDW");
    if (c.nSelect < 0) {
        EXPECT_TRUE(selects.empty());
    } else {
        ASSERT_EQ(1u, selects.size());
        EXPECT_EQ(0x300, selects[0].GetNumber("setting", -1));
        EXPECT_EQ(c.nSelect, selects[0].GetNumber("value", -1));
    }
    std::vector<SimCall> beeps = m_sim.ReadCalls("BHT_StartBeep");
    if (c.nOnTime < 0) {
        EXPECT_TRUE(beeps.empty());
    } else {
        // One beep per delivered scan.
        ASSERT_EQ(2u, beeps.size());
        for (const SimCall& beep : beeps) {
            EXPECT_EQ(c.nOnTime, beep.GetNumber("on", -1));
            EXPECT_EQ(1, beep.GetNumber("off", -1));
            EXPECT_EQ(1, beep.GetNumber("count", -1));
            EXPECT_EQ(c.nFrequency, beep.GetNumber("frequency", -1));
        }
    }
    std::vector<std::string> names;
    for (const SimCall& call : m_sim.ReadCalls()) {
        names.push_back(call.strName);
    }
    EXPECT_EQ("BHT_DisableBar", names.back());
}

const std::vector<std::string> kPlainStart = { "BHT_SetSysSettingDW", "BHT_GetSysSettingWCS", "BHT_EnableBar" };
const std::vector<std::string> kRadioStart = {
    "BHT_RF_Open", "BHT_SetSysSettingDW", "BHT_GetSysSettingWCS", "BHT_EnableBar",
};
const std::vector<std::string> kSilentStart = { "BHT_GetSysSettingWCS", "BHT_EnableBar" };

INSTANTIATE_TEST_SUITE_P(
    File, DravetSettings,
    ::testing::Values(
        SettingsCase{ "", kPlainStart, 1, 1, 2793 },
        SettingsCase{ "BeepTime=250\r\n", kPlainStart, 1, 2, 2793 },
        SettingsCase{ "BeepTime=50\r\nBeepFrequency=1000\r\n", kPlainStart, 1, 0, 1000 },
        SettingsCase{ "beepervibratormode=vibrator\r\nStartRadio=true\r\n", kRadioStart, 2, 1, 2793 },
        // A value is taken as written: " Vibrator" is none of the four names.
        SettingsCase{ "BeeperVibratorMode = Vibrator\r\n", kPlainStart, 1, 1, 2793 },
        SettingsCase{ "BeeperVibratorMode=Both\r\nStartRadio=false\r\n", kPlainStart, 3, 1, 2793 },
        SettingsCase{ "BeeperVibratorMode=Buzzer\r\nSTARTRADIO=TRUE\r\n", kRadioStart, 1, 1, 2793 },
        SettingsCase{ "BeeperVibratorMode=NONE\r\nBeepTime=900\r\n", kSilentStart, -1, -1, 0 }));

TEST_F(DravetModule, RadioIsOpenedWithZeroBeforeTheBackEndStarts)
{
    Start("StartRadio=TRUE\r\n", "");
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("BHT_EnableBar", 1, START_MS));
    std::vector<SimCall> radios = m_sim.ReadCalls("BHT_RF_Open");
    ASSERT_EQ(1u, radios.size());
    EXPECT_EQ(0, radios[0].GetNumber("mode", -1));
    StopAndExpectExit0();
}

TEST_F(DravetModule, AQTypeTerminalGetsItsListAndReadsAreFiltered)
{
    Start("", "model=B20QWC\n");
    ASSERT_EQ(TRUE, m_sim.FeedLine("{type=W len=120}01012345678901281\\x1d" "10LOT"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("{type=A}0012345678905"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("{type=W}0101234567890128"));
    ASSERT_EQ(TRUE, m_sim.FeedLine("{type=K}CODE128"));
    ASSERT_EQ(TRUE, m_receiver.WaitForScans(3, START_MS));
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("BHT_ReadBar", 4, START_MS));
    PumpWait(NULL, 300);
    std::vector<std::wstring> expected = { L"0012345678905", L"0101234567890128", L"CODE128" };
    EXPECT_EQ(expected, m_receiver.GetTexts());
    StopAndExpectExit0();

    std::vector<SimCall> enables = m_sim.ReadCalls("BHT_EnableBar");
    ASSERT_EQ(1u, enables.size());
    EXPECT_EQ(L"F", enables[0].GetText("mode"));
    EXPECT_EQ(L"Q:E,Y,Z,A:AS,A:BS,A:CS,M:1-99,K:1-99,N:3-99,I:2-98", enables[0].GetText("codes"));
    // The dropped read got no beep.
    EXPECT_EQ(3u, m_sim.ReadCalls("BHT_StartBeep").size());
}

TEST_F(DravetModule, ARefusedCodeTypeListLeavesItIdleUntilStopped)
{
    Start("", "refuse=BHT_EnableBar\n");
    ASSERT_EQ(TRUE, m_sim.WaitForCalls("BHT_EnableBar", 1, START_MS));
    ASSERT_EQ(TRUE, m_sim.FeedLine("NEVER"));
    PumpWait(NULL, 500);
    EXPECT_TRUE(m_receiver.GetScans().empty());
    StopAndExpectExit0();
    EXPECT_TRUE(m_sim.ReadCalls("BHT_GetBarNum").empty());
    EXPECT_TRUE(m_sim.ReadCalls("BHT_DisableBar").empty());
}

TEST_F(DravetModule, ARefusedFeedbackSelectionIsFatal)
{
    Start("", "refuse=BHT_SetSysSettingDW\n");
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, L"Fatal Error", START_MS, m_process.GetId());
    ASSERT_NE(nullptr, hBox);
    std::wstring strText = ReadBoxText(hBox);
    std::wstring strExpected =
        L"Assertion failed: ERROR_SUCCESS == BHT_SetSysSettingDW( BHT_BEEP_VIB_SELECT, dwSelect ) (BhtBackend.cpp,";
    EXPECT_EQ(strExpected, strText.substr(0, strExpected.size()));
    EXPECT_EQ(TRUE, PressBoxButton(hBox, IDOK));
    DWORD dwExitCode = 0;
    ASSERT_EQ(TRUE, m_process.Wait(START_MS, &dwExitCode));
    EXPECT_EQ((DWORD)-1, dwExitCode);
    EXPECT_EQ((DWORD)WAIT_TIMEOUT, WaitForSingleObject(ghInputModuleEventStopped, 0));
}

}
