// A throw-away installation of the host for system tests: a temporary folder
// holding the host program, lua51.dll, the test input module (as
// "TestModule.exe"), "Tolvex.txt" and "script.lua", and a running host in it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "support/TestProcess.h"

// What every test installation's script does unless a test gives its own.
extern const char kszEchoScript[];

class HostInstallation
{
public:
    // pszHostProgram: the build's Tolvex.exe or its tray-recording test build,
    // copied as "Tolvex.exe".
    explicit HostInstallation(const WCHAR* pszHostProgram = L"Tolvex.exe");

    BOOL IsReady() const { return m_fReady; }
    const std::wstring& GetFolder() const { return m_folder.GetPath(); }
    std::wstring GetFilePath(const WCHAR* pszName) const { return m_folder.GetFilePath(pszName); }

    // Writes "Tolvex.txt" or "script.lua" (null: removes the file).
    BOOL WriteSettings(const char* pszSettings);
    BOOL WriteScript(const char* pszScript);
    // Creates or replaces a file of the installation (steering the module).
    BOOL WriteFile(const WCHAR* pszName, const std::string& strBytes);

    // Starts one more host from this installation.
    BOOL StartHost(TestProcess& process);

    // The lines of a log file of the installation ("module.log", "tray.log").
    std::vector<std::string> ReadLog(const WCHAR* pszName) const;
    // Log lines containing pszWord as their second field ("start", "sent", ...).
    std::vector<std::string> ReadModuleEvents(const char* pszWord) const;

private:
    TempFolder m_folder;
    BOOL m_fReady;
};

// The hidden main window of the host process dwProcessId, or NULL when it
// has none after dwTimeoutMs.
HWND WaitForHostWindow(DWORD dwProcessId, DWORD dwTimeoutMs);


// Polls fnDone, pumping this thread's messages, until it is true or
// dwTimeoutMs have passed; returns its last value.
template <typename Done>
bool WaitUntil(Done fnDone, DWORD dwTimeoutMs)
{
    ULONGLONG ullStart = GetTickCount64();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (fnDone()) {
            return true;
        }
        if (GetTickCount64() - ullStart >= dwTimeoutMs) {
            return false;
        }
        Sleep(20);
    }
}

// The handle as the host passes it on: its low 32 bits, eight lower-case digits.
std::string HandleDigits(HWND hWnd);
// The path in UTF-8, as the module writes it to its log.
std::string Utf8(const std::wstring& str);
