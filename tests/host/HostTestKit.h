// What the host's system tests share: the host installed with the test input
// module (TestModule.exe), "Tolvex.txt" naming it and an echo script; what
// the module logs (paths in UTF-8, NarrowUtf8); the host's window, the
// running host, and what its tray-recording build recorded. Waits that let
// messages flow are PumpUntil (support/SimSession.h).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "support/SimSession.h"
#include "support/TestInstallation.h"

// What every test installation's script does unless a test gives its own.
extern const char kszEchoScript[];

// Fills an installation with pszHostProgram (the build's Tolvex.exe or its
// tray-recording test build) as "Tolvex.exe", lua51.dll, TestModule.exe,
// "Tolvex.txt" naming the module, and the echo script as "script.lua".
BOOL InstallHost(TestInstallation& inst, const WCHAR* pszHostProgram = L"Tolvex.exe");

// The lines of the test module's "module.log" whose second field is pszWord
// ("start", "sent", ...).
std::vector<std::string> ReadModuleEvents(const TestInstallation& inst, const char* pszWord);

// The hidden main window of the host process dwProcessId, or NULL when it
// has none after dwTimeoutMs.
HWND WaitForHostWindow(DWORD dwProcessId, DWORD dwTimeoutMs);

// The handle as the host passes it on: its low 32 bits, eight lower-case digits.
std::string HandleDigits(HWND hWnd);

// A running host and its hidden window.
struct RunningHost
{
    TestProcess process;
    HWND hWnd = NULL;

    // Starts the installation's host; TRUE once its window is there and its
    // module has started.
    bool Start(TestInstallation& inst);
    // What the tray icon sends for the mouse message lMouse (a left click
    // unless given); wId is the icon's identifier, or another to try one
    // that is not the host's.
    void ClickTray(LPARAM lMouse = WM_LBUTTONDOWN, WPARAM wId = 40004)
    {
        PostMessageW(hWnd, WM_COMMAND, wId, lMouse);
    }
    bool Ended(DWORD dwTimeoutMs, DWORD* pdwExitCode)
    {
        return TRUE == process.Wait(dwTimeoutMs, pdwExitCode);
    }
    // Closes the host as Windows asks a program to end; its exit code, or
    // 0xDEAD when it has not ended within ten seconds.
    DWORD Close()
    {
        PostMessageW(hWnd, WM_CLOSE, 0, 0);
        DWORD dwExitCode = 0xDEAD;
        return Ended(10000, &dwExitCode) ? dwExitCode : 0xDEAD;
    }
};

// The about box: the dialog of the host with the version control; NULL when
// it is not shown within dwTimeoutMs.
HWND WaitForAboutBox(DWORD dwProcessId, DWORD dwTimeoutMs);

// This test program's image name in lower case, as the host reads the app of
// one of its windows.
std::wstring OwnAppName();

// The fields of one line of the tray recorder ("tray.log", TrayRecorder.cpp).
struct TrayCall
{
    std::string strMessage;
    unsigned uId = 0, cbSize = 0, uFlags = 0, uMessage = 0, nIcon = 0, nResult = 0;
    std::string strWindow, strTip;
};

std::vector<TrayCall> ReadTrayCalls(TestInstallation& inst);
