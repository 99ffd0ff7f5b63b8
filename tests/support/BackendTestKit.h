// For tests that drive a scanner back-end in the test process, over its
// stand-in vendor library: one simulated terminal for the whole program (the
// stand-in reads its file names once, at its first call), its folder as the
// current folder, and a window that stands in for the module window.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/SimSession.h"

// The program's simulated terminal. A test program calls End from the
// TearDown of a global test environment, so that the folder goes at the end.
class BackendTestKit
{
public:
    // The session, made at the first call, with its folder as the current
    // folder (where the Falcon stand-in makes its device files). NULL when it
    // could not be made.
    static SimSession* Get();
    // Puts the current folder back and ends the session.
    static void End();

    // The number of calls logged so far: a mark for CallsSince.
    static size_t Mark();
    // The calls logged after the mark (of pszName only, unless NULL).
    static std::vector<SimCall> CallsSince(size_t nMark, const char* pszName = NULL);
    // The calls after the mark as "Name key=value ..." texts without the
    // terminal's own lines (those starting with *) and without the keys in
    // the NULL-terminated list rgpszIgnored.
    static std::vector<std::string> CallTextsSince(size_t nMark, const char* const* rgpszIgnored);
};

// A message-only window standing in for the module window: each time
// uMessage arrives it calls fnOnMessage.
class DeviceWindow
{
public:
    DeviceWindow(UINT uMessage, std::function<void()> fnOnMessage);
    ~DeviceWindow();

    DeviceWindow(const DeviceWindow&) = delete;
    DeviceWindow& operator=(const DeviceWindow&) = delete;

    HWND GetHandle() const { return m_hWnd; }
    // How often uMessage has arrived.
    int GetCount() const { return m_nCount; }

private:
    static LRESULT CALLBACK Proc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    UINT m_uMessage;
    std::function<void()> m_fnOnMessage;
    int m_nCount;
};
