// Keeps the user's window in front of the host's own. The host's boxes,
// dialogs and menus take the foreground; when they close, Windows leaves it
// with the host's hidden window, where typing goes nowhere, and a scan typed
// while one of them is open would land in it (Enter pressing a button). The
// input module's windows (its boxes) count as the host's own.
#pragma once

#include <windows.h>

class ForegroundKeeper
{
public:
    ForegroundKeeper() : m_hWndUser(NULL), m_hWndActivating(NULL), m_dwModuleProcessId(0) {}

    // The input module's process, whose windows are never the user's.
    void SetModuleProcess(DWORD dwProcessId) { m_dwModuleProcessId = dwProcessId; }

    // Notes the foreground window as the user's when it belongs to neither
    // the host nor its module and is not the taskbar or the notification area
    // (which take the foreground when the tray icon is clicked).
    void Remember();
    // Remembers the user's window, then brings hWndOwn, a window of the host,
    // to the foreground: before a dialog or a menu of the host opens.
    void TakeFor(HWND hWndOwn);
    // When the foreground is the host's (one of its boxes, dialogs or menus
    // has closed, or is still open), gives it back to the remembered window if
    // that still exists. TRUE when the foreground is now no window of the host.
    BOOL GiveBack();
    // Before a scan is typed: closes a menu of the host that is open and gives
    // the foreground back when it is the host's, then remembers the window the
    // scan goes to and puts it (or NULL when there is none) in *phWndTarget.
    // FALSE when the foreground is still the host's: then nothing may be
    // typed.
    BOOL PrepareToType(HWND* phWndTarget);

private:
    void Remember(HWND hWnd);
    // A window of the host or of its module.
    BOOL IsOwnWindow(HWND hWnd) const;
    BOOL IsForegroundOwn() const;

    HWND m_hWndUser;
    // The window given the foreground while the host waits for its focus.
    HWND m_hWndActivating;
    DWORD m_dwModuleProcessId;
};
