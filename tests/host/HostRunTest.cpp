// The running host under Wine: scans typed through the script, the about
// box, the tray icon, and how the host ends with its module.
#include <windows.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <stdio.h>

#include <string>

#include "HostTestKit.h"
#include "support/TestWindows.h"
#include "support/TypingTarget.h"

namespace {

// A running host and its hidden window.
struct RunningHost
{
    TestProcess process;
    HWND hWnd = NULL;

    bool Start(TestInstallation& inst)
    {
        if (!inst.Start(process, L"Tolvex.exe")) {
            return false;
        }
        hWnd = WaitForHostWindow(process.GetId(), 10000);
        return NULL != hWnd &&
               PumpUntil([&] { return !ReadModuleEvents(inst, "start").empty(); }, 10000);
    }
    // What a left click on the tray icon sends.
    void ClickTray(LPARAM lMouse = WM_LBUTTONDOWN, WPARAM wId = 40004)
    {
        PostMessageW(hWnd, WM_COMMAND, wId, lMouse);
    }
    bool Ended(DWORD dwTimeoutMs, DWORD* pdwExitCode)
    {
        return TRUE == process.Wait(dwTimeoutMs, pdwExitCode);
    }
};

// The about box is the dialog of the host with the version control.
HWND WaitForAboutBox(DWORD dwProcessId, DWORD dwTimeoutMs)
{
    HWND hBox = WaitForShownBox(L"Tolvex", dwProcessId, dwTimeoutMs);
    return (NULL != hBox && NULL != GetDlgItem(hBox, 1002)) ? hBox : NULL;
}

int CountBoxes(DWORD dwProcessId)
{
    int nBoxes = 0;
    HWND hWnd = NULL;
    while (NULL != (hWnd = FindWindowExW(NULL, hWnd, TEST_BOX_CLASS, NULL))) {
        DWORD dwOwner = 0;
        GetWindowThreadProcessId(hWnd, &dwOwner);
        nBoxes += (dwOwner == dwProcessId && IsWindowVisible(hWnd)) ? 1 : 0;
    }
    return nBoxes;
}

TEST(HostRunTest, ScansAreTypedThroughTheScriptAndAFailingScanIsReported)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    ASSERT_TRUE(inst.WriteFile(L"script.lua",
        "count = 0\n"
        "function process(scan)\n"
        "  if scan == 'bad' then error('refused ' .. scan) end\n"
        "  count = count + 1\n"
        "  return '<' .. scan .. count .. '>'\n"
        "end\n"));
    TypingTarget target;
    ASSERT_TRUE(NULL != target.GetEdit());
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    target.Focus();

    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "4711"));
    EXPECT_TRUE(PumpUntil([&] { return L"<47111>" == target.GetText(); }, 10000))
        << "typed: " << NarrowUtf8(target.GetText().c_str());

    // The failing scan: a box owned by the host window, nothing typed.
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "bad"));
    HWND hBox = WaitForShownBox(L"Script Runtime Error", host.process.GetId(), 10000);
    ASSERT_NE(nullptr, hBox);
    std::wstring strText = ReadBoxText(hBox);
    EXPECT_NE(std::wstring::npos, strText.find(L"refused bad")) << NarrowUtf8(strText.c_str());
    EXPECT_EQ(host.hWnd, GetWindow(hBox, GW_OWNER));
    ASSERT_TRUE(PressBoxButton(hBox, IDOK));
    ASSERT_TRUE(WaitForWindowGone(hBox, 5000));
    target.Focus();

    // The host goes on; the script kept its state.
    ASSERT_TRUE(PumpUntil([&] { return 2 == ReadModuleEvents(inst, "sent").size(); }, 5000));
    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "42"));
    EXPECT_TRUE(PumpUntil([&] { return L"<47111><422>" == target.GetText(); }, 10000))
        << "typed: " << NarrowUtf8(target.GetText().c_str());
    ASSERT_TRUE(PumpUntil([&] { return 3 == ReadModuleEvents(inst, "sent").size(); }, 5000));
    // Every scan is answered TRUE, the failed one too.
    for (const std::string& strSent : ReadModuleEvents(inst, "sent")) {
        EXPECT_EQ(" sent 1", strSent.substr(strSent.find(' ')));
    }

    PostMessageW(host.hWnd, WM_CLOSE, 0, 0);
    DWORD dwExitCode = 0xDEAD;
    EXPECT_TRUE(host.Ended(10000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
}

TEST(HostRunTest, AboutBoxOpensOnLeftButtonDownOnlyAndOnlyOnce)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    DWORD dwPid = host.process.GetId();

    // Other mouse messages of the icon and other commands open nothing.
    const std::pair<WPARAM, LPARAM> ignored[] = {
        {40004, WM_RBUTTONDOWN}, {40004, WM_LBUTTONUP}, {40004, WM_LBUTTONDBLCLK},
        {40004, WM_MOUSEMOVE},   {40005, WM_LBUTTONDOWN},
    };
    for (const auto& click : ignored) {
        host.ClickTray(click.second, click.first);
    }
    EXPECT_EQ(nullptr, WaitForAboutBox(dwPid, 700));

    host.ClickTray();
    HWND hAbout = WaitForAboutBox(dwPid, 5000);
    ASSERT_NE(nullptr, hAbout);
    EXPECT_EQ(L"Tolvex", GetWindowTextOf(hAbout));
    EXPECT_EQ(L"Tolvex v2.7", GetWindowTextOf(GetDlgItem(hAbout, 1002)));
    EXPECT_EQ(L"Unload", GetWindowTextOf(GetDlgItem(hAbout, 1001)));
    EXPECT_NE(0, GetWindowLongW(hAbout, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(host.hWnd, GetWindow(hAbout, GW_OWNER));

    // A second click while the box is open opens no second box.
    host.ClickTray();
    Sleep(700);
    EXPECT_EQ(1, CountBoxes(dwPid));

    // Escape closes the box; the host and its module keep running.
    PostMessageW(hAbout, WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_TRUE(WaitForWindowGone(hAbout, 5000));
    DWORD dwExitCode = 0xDEAD;
    EXPECT_FALSE(host.Ended(1500, &dwExitCode));
    EXPECT_TRUE(ReadModuleEvents(inst, "stop-request").empty());

    // "Unload" ends the host, which asks the module to stop.
    host.ClickTray();
    hAbout = WaitForAboutBox(dwPid, 5000);
    ASSERT_NE(nullptr, hAbout);
    ASSERT_TRUE(PressBoxButton(hAbout, 1001));
    EXPECT_TRUE(host.Ended(5000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_EQ(1u, ReadModuleEvents(inst, "stop-request").size());
    EXPECT_TRUE(PumpUntil([&] { return 1 == ReadModuleEvents(inst, "end").size(); }, 5000));
}

// The tick the module logged with pszWord ("quit", "stop-request").
ULONGLONG LoggedTick(TestInstallation& inst, const char* pszWord)
{
    std::vector<std::string> events = ReadModuleEvents(inst, pszWord);
    if (events.empty()) {
        return 0;
    }
    return strtoull(events[0].substr(events[0].rfind(' ') + 1).c_str(), NULL, 10);
}

TEST(HostRunTest, HostEndsWithinAboutASecondOfItsModule)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    ASSERT_TRUE(inst.WriteFile(L"quit.txt", ""));
    DWORD dwExitCode = 0xDEAD;
    ASSERT_TRUE(host.Ended(10000, &dwExitCode));
    ULONGLONG ullEnded = GetTickCount64();
    EXPECT_EQ(0u, dwExitCode);

    ULONGLONG ullQuit = LoggedTick(inst, "quit");
    ASSERT_NE(0u, ullQuit);
    ULONGLONG ullExitMs = ullEnded - ullQuit;
    printf("host exit after its module stopped: %llu ms\n", ullExitMs);
    RecordProperty("exit_after_module_stop_ms", (int)ullExitMs);
    // The watch timer looks once a second; at exit nothing waits any more.
    EXPECT_LT(ullExitMs, 2000u);
    // The module had stopped already: no stop request reached it.
    EXPECT_TRUE(ReadModuleEvents(inst, "stop-request").empty());
}

TEST(HostRunTest, ModuleEndingWhileTheAboutBoxIsOpenEndsTheHost)
{
    // The box's modal loop goes on delivering the watch timer.
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    host.ClickTray();
    HWND hAbout = WaitForAboutBox(host.process.GetId(), 5000);
    ASSERT_NE(nullptr, hAbout);
    ASSERT_TRUE(inst.WriteFile(L"quit.txt", ""));
    DWORD dwExitCode = 0xDEAD;
    ASSERT_TRUE(host.Ended(5000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    EXPECT_FALSE(IsWindow(hAbout));
}

TEST(HostRunTest, AModuleThatDoesNotAnswerHoldsTheHostOneSecond)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    ASSERT_TRUE(inst.WriteFile(L"ignore-stop.txt", ""));
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    ULONGLONG ullClose = GetTickCount64();
    PostMessageW(host.hWnd, WM_CLOSE, 0, 0);
    DWORD dwExitCode = 0xDEAD;
    ASSERT_TRUE(host.Ended(10000, &dwExitCode));
    ULONGLONG ullExitMs = GetTickCount64() - ullClose;
    EXPECT_EQ(0u, dwExitCode);
    printf("host exit with a silent module: %llu ms\n", ullExitMs);
    EXPECT_GE(ullExitMs, 950u);
    EXPECT_LT(ullExitMs, 3000u);
    EXPECT_EQ(1u, ReadModuleEvents(inst, "stop-request").size());
    EXPECT_TRUE(PumpUntil([&] { return 1 == ReadModuleEvents(inst, "end").size(); }, 8000));
}

// The fields of one line of the tray recorder.
struct TrayCall
{
    std::string strMessage;
    unsigned uId = 0, cbSize = 0, uFlags = 0, uMessage = 0, nIcon = 0, nResult = 0;
    std::string strWindow, strTip;
};

std::vector<TrayCall> ReadTrayCalls(TestInstallation& inst)
{
    std::vector<TrayCall> calls;
    for (const std::string& strLine : inst.ReadLines(L"tray.log")) {
        TrayCall call;
        char szMessage[16], szWindow[16];
        if (8 == sscanf(strLine.c_str(), "%15s id=%u cb=%u flags=%u msg=%u hwnd=%15s icon=%u result=%u",
                        szMessage, &call.uId, &call.cbSize, &call.uFlags, &call.uMessage, szWindow,
                        &call.nIcon, &call.nResult)) {
            call.strMessage = szMessage;
            call.strWindow = szWindow;
            size_t iTip = strLine.find(" tip=");
            call.strTip = (std::string::npos != iTip) ? strLine.substr(iTip + 5) : "";
        }
        calls.push_back(call);
    }
    return calls;
}

TEST(HostRunTest, TrayIconIsAddedReaddedWhenTheTaskbarReturnsAndRemovedAtExit)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst, L"TolvexTrayProbe.exe"));
    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    ASSERT_TRUE(PumpUntil([&] { return 1 == ReadTrayCalls(inst).size(); }, 5000));

    TrayCall add = ReadTrayCalls(inst)[0];
    EXPECT_EQ("add", add.strMessage);
    EXPECT_EQ(40004u, add.uId);
    EXPECT_EQ((unsigned)NOTIFYICONDATAW_V1_SIZE, add.cbSize);
    EXPECT_EQ((unsigned)(NIF_MESSAGE | NIF_ICON | NIF_TIP), add.uFlags);
    EXPECT_EQ((unsigned)WM_COMMAND, add.uMessage);
    EXPECT_EQ(HandleDigits(host.hWnd), add.strWindow);
    EXPECT_EQ(1u, add.nIcon);
    EXPECT_EQ(1u, add.nResult);
    EXPECT_EQ("Tolvex v2.7", add.strTip);

    // Explorer announces a new taskbar to every top-level window.
    UINT uTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR dwResult = 0;
    ASSERT_NE(0, SendMessageTimeoutW(host.hWnd, uTaskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000,
                                     &dwResult));
    ASSERT_TRUE(PumpUntil([&] { return 2 == ReadTrayCalls(inst).size(); }, 5000));
    TrayCall readd = ReadTrayCalls(inst)[1];
    EXPECT_EQ("add", readd.strMessage);
    EXPECT_EQ(40004u, readd.uId);
    EXPECT_EQ("Tolvex v2.7", readd.strTip);

    // The module ends on its own: the icon goes with the host.
    ASSERT_TRUE(inst.WriteFile(L"quit.txt", ""));
    DWORD dwExitCode = 0xDEAD;
    ASSERT_TRUE(host.Ended(10000, &dwExitCode));
    EXPECT_EQ(0u, dwExitCode);
    std::vector<TrayCall> calls = ReadTrayCalls(inst);
    ASSERT_EQ(3u, calls.size());
    EXPECT_EQ("delete", calls[2].strMessage);
    EXPECT_EQ(40004u, calls[2].uId);
    EXPECT_EQ((unsigned)NOTIFYICONDATAW_V1_SIZE, calls[2].cbSize);
    EXPECT_EQ(HandleDigits(host.hWnd), calls[2].strWindow);
}

}  // namespace
