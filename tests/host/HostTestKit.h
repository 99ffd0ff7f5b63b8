// What the host's system tests share: the host installed with the test input
// module (TestModule.exe), "Tolvex.txt" naming it and an echo script; what
// the module logs (paths in UTF-8, NarrowUtf8); the host's window. Waits
// that let messages flow are PumpUntil (support/SimSession.h).
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
