// Where the scan goes decides how it is typed: the running host under Wine
// with "RDPMode=Auto", one target window in a process whose image is
// mstsc.exe (a copy of the keyboard tests' foreground helper, with the class
// of that client's window) and one ordinary target, this test's own window.
//
// What Wine 8 showed here, which WINE.md does not say: QueryFullProcessImageNameW
// gives the path of the copy that runs, so a program copied under another name
// plays that program; GetWindowTextW reads the title of another process's
// top-level window (only its controls' texts need WM_GETTEXT); every one of
// these calls on another process's window or process is a round trip to the
// wineserver (15 to 50 us on a shared 2-core machine, GetClassNameW two); and
// a window found by its class may not have its child controls yet.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "HostTestKit.h"
#include "keyboard/ForegroundHelper.h"
#include "support/TestWindows.h"
#include "support/TypingTarget.h"

namespace {

#define REMOTE_CLIENT_CLASS L"TscShellContainerClass"

// A label holding "é" on the US layout: key strokes leave it out (the layout
// has no key for it), Unicode characters type it. The script adds where the
// text went.
TEST(HostTargetTest, AutoModeTypesKeyStrokesIntoARemoteClientAndUnicodeElsewhere)
{
    TestInstallation inst;
    ASSERT_TRUE(InstallHost(inst));
    ASSERT_TRUE(inst.WriteFile(
        L"Tolvex.txt", "InputModule=TestModule.exe\r\nRDPMode=Auto\r\nInterKeyDelay=0\r\n"));
    ASSERT_TRUE(inst.WriteFile(L"script.lua", "function process(scan, info)\n"
                                              "  return scan .. info.app .. ' ' .. info.class\n"
                                              "end\n"));
    ASSERT_TRUE(inst.CopyFromBuild(FOREGROUND_HELPER_PROGRAM, L"mstsc.exe"));
    TypingTarget target;
    ASSERT_TRUE(NULL != target.GetEdit());

    RunningHost host;
    ASSERT_TRUE(host.Start(inst));
    // Wine activates the newly started host's and module's windows late.
    ASSERT_TRUE(target.FocusUntilSettled(10000));

    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "\xc3\xa9"));
    const std::wstring strLocal = L"\u00e9" + OwnAppName() + L" " TYPING_TARGET_CLASS;
    EXPECT_TRUE(PumpUntil([&] { return strLocal == target.GetText(); }, 10000))
        << "typed: " << NarrowUtf8(target.GetText().c_str());
    ASSERT_TRUE(PumpUntil([&] { return 1 == ReadModuleEvents(inst, "sent").size(); }, 5000));

    // The client takes the foreground and, once it has kept it, writes its
    // caption (ForegroundHelper.cpp).
    TestProcess client;
    ASSERT_TRUE(inst.Start(client, L"mstsc.exe", REMOTE_CLIENT_CLASS));
    HWND hClient = WaitForTopWindow(REMOTE_CLIENT_CLASS, NULL, 10000, client.GetId());
    ASSERT_NE((HWND)NULL, hClient);
    // The window shows before its EDIT control is made.
    HWND hClientEdit = NULL;
    ASSERT_TRUE(PumpUntil([&] { return NULL != (hClientEdit = GetWindow(hClient, GW_CHILD)); },
                          5000));
    ASSERT_TRUE(PumpUntil(
        [&] {
            std::wstring strCaption = GetWindowTextOf(hClient);
            return hClient == GetForegroundWindow() &&
                   (FOREGROUND_CAPS_OFF == strCaption || FOREGROUND_CAPS_ON == strCaption);
        },
        15000));

    ASSERT_TRUE(inst.WriteFile(L"scan.txt", "\xc3\xa9"));
    const std::wstring strRemote = L"mstsc.exe " REMOTE_CLIENT_CLASS;
    EXPECT_TRUE(PumpUntil([&] { return strRemote == GetWindowTextOf(hClientEdit); }, 10000))
        << "typed: " << NarrowUtf8(GetWindowTextOf(hClientEdit).c_str());
    ASSERT_TRUE(PumpUntil([&] { return 2 == ReadModuleEvents(inst, "sent").size(); }, 5000));
    // Nothing more reached the local target.
    EXPECT_EQ(strLocal, target.GetText());

    EXPECT_EQ(0u, host.Close());
    PostMessageW(hClient, WM_CLOSE, 0, 0);
    EXPECT_TRUE(client.Wait(5000, NULL));
}

}  // namespace
