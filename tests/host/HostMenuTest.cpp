// The running host under Wine as the people who run it use it: the tray
// menu, each of its commands by identifier, reloading the script, pausing,
// the scan log, and the module's own window, which never takes a scan.
//
// Seen under Wine 8 here (not in WINE.md): TrackPopupMenu shows a top-level
// window of class "#32768" of the host's process while the menu is open;
// WM_KEYDOWN posted to it drives the menu as keys do (its loop reads the
// thread's queue), and the item chosen posts its WM_COMMAND to the owner.
// SHGetKnownFolderPath(FOLDERID_LocalAppData) is C:\users\<user>\AppData\Local
// of the prefix, the same for the tests and the hosts they start. FindWindow
// does not see an EDIT control's text, which the control keeps itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdlib.h>

#include <string>
#include <vector>

#include "HostTestKit.h"
#include "common/Folders.h"
#include "host/ScanLog.h"
#include "support/TestFiles.h"
#include "support/TestWindows.h"
#include "support/TypingTarget.h"

namespace {

// The commands of the tray menu, as documented for other programs to post:
// written out here, so that renumbering them in host/resource.h fails.
const WPARAM kAbout = 40011;
const WPARAM kOpenDataFolder = 40012;
const WPARAM kReload = 40013;
const WPARAM kPause = 40014;
const WPARAM kResume = 40015;
const WPARAM kUnload = 40016;

// The lines of "shell.log" (TrayRecorder.cpp) that begin with pszWord and a blank.
std::vector<std::string> ShellCalls(TestInstallation& inst, const char* pszWord)
{
    std::vector<std::string> calls;
    std::string strPrefix = std::string(pszWord) + " ";
    for (const std::string& strLine : inst.ReadLines(L"shell.log")) {
        if (0 == strLine.compare(0, strPrefix.size(), strPrefix)) {
            calls.push_back(strLine.substr(strPrefix.size()));
        }
    }
    return calls;
}

// The popup menu window of the host while its menu is shown.
HWND WaitForMenu(DWORD dwProcessId)
{
    HWND hMenu = NULL;
    PumpUntil([&] {
        hMenu = WaitForTopWindow(L"#32768", NULL, 0, dwProcessId);
        return NULL != hMenu && IsWindowVisible(hMenu);
    }, 5000);
    return hMenu;
}

bool MenuClosed(HWND hMenu)
{
    return PumpUntil([&] { return !IsWindow(hMenu) || !IsWindowVisible(hMenu); }, 5000);
}

// Keys go to the menu the way its own loop reads them: from the thread's queue.
void PressMenuKeys(HWND hMenu, std::initializer_list<WPARAM> keys)
{
    for (WPARAM wKey : keys) {
        PostMessageW(hMenu, WM_KEYDOWN, wKey, 0);
        PostMessageW(hMenu, WM_KEYUP, wKey, 0);
    }
}

bool TipIs(TestInstallation& inst, const char* pszTip)
{
    return PumpUntil([&] {
        std::vector<TrayCall> calls = ReadTrayCalls(inst);
        return !calls.empty() && "modify" == calls.back().strMessage &&
               pszTip == calls.back().strTip;
    }, 5000);
}

// The scan log of the user who runs the tests, as the host started by them
// writes it: removed before and after a test.
class UserScanLog
{
public:
    UserScanLog() : m_strFolder(GetScanLogFolder()) { Remove(); }
    ~UserScanLog() { Remove(); }

    bool IsKnown() const { return !m_strFolder.empty(); }
    // The lines without their time (checked here) and without the typing
    // time of a "scan" line (its fifth field), which varies.
    std::vector<std::string> ReadLines() const
    {
        std::string strText;
        ReadWholeFile(JoinPath(m_strFolder.c_str(), SCAN_LOG_FILE_NAME), &strText);
        std::vector<std::string> lines;
        for (std::string strLine : SplitLines(strText)) {
            bool fTimed = strLine.size() > 24 && '-' == strLine[4] && ' ' == strLine[10] &&
                          '.' == strLine[19] && '\t' == strLine[23];
            strLine = fTimed ? strLine.substr(24) : "(no time) " + strLine;
            if (0 == strLine.compare(0, 5, "scan\t")) {
                size_t iTime = strLine.find('\t', strLine.find('\t', strLine.find('\t', 5) + 1) + 1);
                strLine.erase(iTime, strLine.find('\t', iTime + 1) - iTime);
            }
            lines.push_back(strLine);
        }
        return lines;
    }

private:
    void Remove()
    {
        if (IsKnown()) {
            RemoveFolderTree(m_strFolder);
        }
    }

    std::wstring m_strFolder;
};

TEST(HostMenuTest, TheMenuPausesAndResumesAndAScanClosesItAndEveryScanIsLogged)
{
    UserScanLog scanLog;
    ASSERT_TRUE(scanLog.IsKnown());
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst, L"TolvexTrayProbe.exe"));
    ASSERT_TRUE(inst.WriteFile(L"Tolvex.txt", "InputModule=TestModule.exe\r\nScanLog=true\r\n"));
    ASSERT_TRUE(inst.WriteFile(L"script.lua",
                               "function process(scan)\n"
                               "  log('got\\t' .. scan)\n"
                               "  return scan\n"
                               "end\n"));
    TypingTarget target;
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    DWORD dwPid = host.process.GetId();
    ASSERT_TRUE(target.FocusUntilSettled(10000));

    // The right button's release opens the menu, the about box's item in bold.
    host.ClickTray(WM_RBUTTONUP);
    HWND hMenu = WaitForMenu(dwPid);
    ASSERT_NE(nullptr, hMenu);
    std::vector<std::string> menus = ShellCalls(inst, "menu");
    ASSERT_EQ(1u, menus.size());
    EXPECT_EQ("40011=About Tolvex|40012=Open data folder|40013=Reload script|"
              "40014=Pause typing|-|40016=Unload default=40011", menus[0]);

    // A scan closes it and goes to the user's window.
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "A"));
    EXPECT_EQ(L"A", target.WaitForText(1, 10000));
    EXPECT_TRUE(MenuClosed(hMenu));

    // "Pause typing", chosen with the keys: the tip says so, and a scan is
    // answered but neither run nor typed.
    host.ClickTray(WM_RBUTTONUP);
    hMenu = WaitForMenu(dwPid);
    ASSERT_NE(nullptr, hMenu);
    PressMenuKeys(hMenu, { VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN });
    EXPECT_TRUE(TipIs(inst, "Tolvex v2.7 (paused)"));
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "B"));
    ASSERT_TRUE(PumpUntil([&] { return 2 == ReadModuleEvents(inst, "sent").size(); }, 10000));
    EXPECT_EQ(L"A", target.WaitForText(2, 500));

    // Paused, the menu offers to resume; Escape closes it.
    host.ClickTray(WM_RBUTTONUP);
    hMenu = WaitForMenu(dwPid);
    ASSERT_NE(nullptr, hMenu);
    menus = ShellCalls(inst, "menu");
    ASSERT_EQ(3u, menus.size());
    EXPECT_NE(std::string::npos, menus[2].find("|40015=Resume typing|")) << menus[2];
    PressMenuKeys(hMenu, { VK_ESCAPE });
    EXPECT_TRUE(MenuClosed(hMenu));

    PostMessageW(host.hWnd, WM_COMMAND, kResume, 0);
    EXPECT_TRUE(TipIs(inst, "Tolvex v2.7"));
    ASSERT_TRUE(target.Focus());
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "C\r"));
    EXPECT_EQ(L"AC\r\n", target.WaitForText(4, 10000));

    ASSERT_EQ(0u, host.Close());
    // Typed scans name the application and how they were typed.
    const std::string strTyped = "\t" + NarrowUtf8(OwnAppName().c_str()) + "\tunicode";
    const std::vector<std::string> expected = {
        "start\tTestModule.exe\tUS\tunicode\t1",
        "log\tgot\\x09A",
        "scan\ttyped\tA\tA" + strTyped,
        "scan\tpaused\tB\t\t\t",
        "log\tgot\\x09C\\x0d",
        "scan\ttyped\tC\\x0d\tC\\x0d" + strTyped,
        "end",
    };
    EXPECT_EQ(expected, scanLog.ReadLines());
}

TEST(HostMenuTest, EachCommandWorksByItsIdentifier)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst, L"TolvexTrayProbe.exe"));
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));

    PostMessageW(host.hWnd, WM_COMMAND, kAbout, 0);
    HWND hAbout = WaitForAboutBox(host.process.GetId(), 5000);
    ASSERT_NE(nullptr, hAbout);
    PostMessageW(hAbout, WM_KEYDOWN, VK_ESCAPE, 0);
    ASSERT_TRUE(WaitForWindowGone(hAbout, 5000));

    // The installation folder, in Explorer (the test build only records it).
    PostMessageW(host.hWnd, WM_COMMAND, kOpenDataFolder, 0);
    ASSERT_TRUE(PumpUntil([&] { return !ShellCalls(inst, "open-folder").empty(); }, 5000));
    EXPECT_EQ(NarrowUtf8(inst.GetFolder().c_str()), ShellCalls(inst, "open-folder")[0]);

    // Each says what it does: pausing twice stays paused, resuming twice
    // stays running.
    for (WPARAM wCommand : { kPause, kPause, kResume, kResume }) {
        PostMessageW(host.hWnd, WM_COMMAND, wCommand, 0);
    }
    ASSERT_TRUE(PumpUntil([&] { return 5u == ReadTrayCalls(inst).size(); }, 5000));
    std::vector<std::string> tips;
    for (const TrayCall& call : ReadTrayCalls(inst)) {
        tips.push_back(call.strMessage + " " + call.strTip);
    }
    const std::vector<std::string> expected = {
        "add Tolvex v2.7", "modify Tolvex v2.7 (paused)", "modify Tolvex v2.7 (paused)",
        "modify Tolvex v2.7", "modify Tolvex v2.7",
    };
    EXPECT_EQ(expected, tips);

    PostMessageW(host.hWnd, WM_COMMAND, kUnload, 0);
    DWORD dwExitCode = 0xDEAD;
    ASSERT_TRUE(host.Ended(5000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_EQ(1u, ReadModuleEvents(inst, "stop-request").size());
    EXPECT_EQ("delete", ReadTrayCalls(inst).back().strMessage);
}

// Starts the host with the user's window in front and types a first scan
// into it, so that the host knows the user's window.
void StartAndType(TestInstallation& inst, RunningHost& host, TypingTarget& target,
                  const char* pszScan, const WCHAR* pszTyped)
{
    ASSERT_TRUE(host.Start(inst));
    ASSERT_TRUE(target.FocusUntilSettled(10000));
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", pszScan));
    ASSERT_EQ(pszTyped, target.WaitForText(wcslen(pszTyped), 10000));
}

// Reloads the installation's script, and waits until the host has done so.
bool Reload(RunningHost& host)
{
    DWORD_PTR dwResult = 0;
    return 0 != SendMessageTimeoutW(host.hWnd, WM_COMMAND, kReload, 0, SMTO_ABORTIFHUNG, 5000,
                                    &dwResult);
}

TEST(HostMenuTest, AReloadedScriptStartsAfreshAndABrokenOneLeavesTheRunningOne)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    ASSERT_TRUE(inst.WriteFile(L"script.lua",
                               "n = 0\n"
                               "function process(s) n = n + 1 return '<' .. s .. n .. '>' end\n"));
    TypingTarget target;
    RunningHost host;
    ASSERT_NO_FATAL_FAILURE(StartAndType(inst, host, target, "a", L"<a1>"));

    ASSERT_TRUE(inst.WriteFile(L"script.lua",
                               "function process(s)\n"
                               "  n = (n or 10) + 1\n"
                               "  return '[' .. s .. n .. ']'\n"
                               "end\n"));
    ASSERT_TRUE(Reload(host));
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "b"));
    ASSERT_EQ(L"<a1>[b11]", target.WaitForText(9, 10000));

    // A script that fails to load or to run shows the start-up texts; the
    // running one goes on with its state.
    const struct
    {
        const char* pszScript;
        const WCHAR* pszMessage;
        const char* pszScan;
        const WCHAR* pszTyped;
    } broken[] = {
        { "function process(s\n", L"Unable to initialize Lua (", "c", L"<a1>[b11][c12]" },
        // Its top level ran in an interpreter of its own, which is dropped.
        { "n = 100\nerror('no scanner here')\n", L"Unable to compile script (", "d",
          L"<a1>[b11][c12][d13]" },
    };
    for (const auto& step : broken) {
        SCOPED_TRACE(step.pszScript);
        ASSERT_TRUE(inst.WriteFile(L"script.lua", step.pszScript));
        PostMessageW(host.hWnd, WM_COMMAND, kReload, 0);
        HWND hBox = WaitForShownBox(L"Tolvex", host.process.GetId(), 10000);
        ASSERT_NE(nullptr, hBox);
        std::wstring strText = ReadBoxText(hBox);
        EXPECT_EQ(0u, strText.find(step.pszMessage)) << NarrowUtf8(strText.c_str());
        ASSERT_TRUE(PressBoxButton(hBox, IDOK));
        ASSERT_TRUE(WaitForWindowGone(hBox, 5000));
        ASSERT_TRUE(inst.WriteFile(L"scan.txt", step.pszScan));
        EXPECT_EQ(step.pszTyped, target.WaitForText(wcslen(step.pszTyped), 10000));
    }

    EXPECT_EQ(0u, host.Close());
}

TEST(HostMenuTest, TheModulesOwnWindowNeverTakesAScan)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    TypingTarget target;
    RunningHost host;
    ASSERT_NO_FATAL_FAILURE(StartAndType(inst, host, target, "A", L"A"));

    // The module's window comes to the front, as its boxes do. (An EDIT
    // control keeps its text to itself, where FindWindow does not look.)
    ASSERT_TRUE(inst.WriteFile(L"window.txt", ""));
    ASSERT_TRUE(PumpUntil([&] { return !ReadModuleEvents(inst, "window").empty(); }, 10000));
    DWORD dwModuleId = strtoul(ReadModuleEvents(inst, "start")[0].c_str(), NULL, 10);
    HWND hModule = WaitForTopWindow(L"Edit", NULL, 5000, dwModuleId);
    ASSERT_NE(nullptr, hModule);
    ASSERT_TRUE(PumpUntil([&] { return hModule == GetForegroundWindow(); }, 5000));

    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "B"));
    EXPECT_EQ(L"AB", target.WaitForText(2, 10000));
    EXPECT_EQ(L"TestModule window", GetWindowTextOf(hModule));
    EXPECT_EQ(0u, host.Close());
}

}  // namespace
