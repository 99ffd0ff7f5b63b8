// Plays the host's receiving side for one input module: a window that
// collects every WM_COPYDATA scan, and the module started as the host starts
// it, with the window's handle as eight hexadecimal digits. The stop events
// are the test's to make (before Start, as the host does) and to signal.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/TestProcess.h"

struct ReceivedScan
{
    WPARAM wParam;
    ULONG_PTR dwData;
    DWORD cbData;
    // The units up to the first NUL within cbData.
    std::wstring strText;
    // Whether the last unit within cbData is a NUL.
    BOOL fTerminated;
    // The performance counter when it came: what a benchmark times to.
    LONGLONG llReceived;
};

class ModuleReceiver
{
public:
    // Makes the receiver window (hidden, top-level).
    ModuleReceiver();
    // Ends a module that still runs (test clean-up only) and the window.
    ~ModuleReceiver();

    ModuleReceiver(const ModuleReceiver&) = delete;
    ModuleReceiver& operator=(const ModuleReceiver&) = delete;

    HWND GetWindow() const { return m_hWnd; }

    // Starts the program pszProgramFile of the test program folder with the
    // command line "\"<path>\" %08x" in the folder pszCurrentFolder (NULL:
    // ours). FALSE when there is no window or the start fails.
    BOOL Start(const WCHAR* pszProgramFile, const WCHAR* pszCurrentFolder);
    TestProcess& GetProcess() { return m_process; }

    // Dispatches messages (the scans among them) until nCount scans have
    // arrived; FALSE after dwTimeoutMs.
    BOOL WaitForScans(size_t nCount, DWORD dwTimeoutMs);
    // The texts of the scans so far.
    std::vector<std::wstring> GetTexts() const;
    const std::vector<ReceivedScan>& GetScans() const { return m_scans; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    TestProcess m_process;
    std::vector<ReceivedScan> m_scans;
};
