// The host's hold on its input module's process. A module that is killed,
// crashes, trips its fatal assertion or cannot even be loaded never reports
// that it stopped; its process handle tells the host that it ended, and how.
#pragma once

#include <windows.h>

#include <string>

class ModuleWatch
{
public:
    ModuleWatch();
    // Closes the process handle.
    ~ModuleWatch();

    ModuleWatch(const ModuleWatch&) = delete;
    ModuleWatch& operator=(const ModuleWatch&) = delete;

    // Takes over the process handle of the module started from strPath. The
    // handle serves only to look whether the module has ended: the host never
    // waits for its module and never terminates it.
    void Watch(HANDLE hProcess, const std::wstring& strPath);
    // TRUE when the watched process has ended, with its exit code in
    // *pdwExitCode; FALSE while it runs or when none is watched. Never waits.
    BOOL HasEnded(DWORD* pdwExitCode) const;
    // Tells the user that the module ended without reporting that it stopped:
    // one error box (caption "Tolvex") with its path and dwExitCode.
    void ShowEndedBox(DWORD dwExitCode) const;

private:
    HANDLE m_hProcess;
    std::wstring m_strPath;
};
