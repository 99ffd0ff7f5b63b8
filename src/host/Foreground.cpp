#include "host/Foreground.h"

// How long the host waits for the window it gave the foreground to take the
// keyboard focus; keys sent before that go nowhere.
#define ACTIVATION_WAIT_MS 500
#define ACTIVATION_POLL_MS 10

namespace {

// The taskbar and its notification area: they hold the foreground for a
// moment when the tray icon is clicked, and never take typing.
const WCHAR* const grgpszShellTrayClasses[] = {
    L"Shell_TrayWnd",
    L"Shell_SecondaryTrayWnd",
    L"NotifyIconOverflowWindow",
};

BOOL IsShellTray(HWND hWnd)
{
    WCHAR szClass[64];
    if (0 == GetClassNameW(hWnd, szClass, ARRAYSIZE(szClass))) {
        return FALSE;
    }
    for (const WCHAR* pszClass : grgpszShellTrayClasses) {
        if (0 == lstrcmpW(szClass, pszClass)) {
            return TRUE;
        }
    }
    return FALSE;
}

// The other window's thread takes the activation when it next reads its
// messages; until it has set its focus, keys sent to it are dropped. Sent
// messages are answered meanwhile, since that thread may send to ours.
void WaitForFocus(HWND hWnd)
{
    DWORD dwThreadId = GetWindowThreadProcessId(hWnd, NULL);
    ULONGLONG ullStart = GetTickCount64();
    for (;;) {
        GUITHREADINFO gti;
        ZeroMemory(&gti, sizeof(gti));
        gti.cbSize = sizeof(gti);
        if (!GetGUIThreadInfo(dwThreadId, &gti) ||
            (hWnd == gti.hwndActive && NULL != gti.hwndFocus) ||
            GetTickCount64() - ullStart >= ACTIVATION_WAIT_MS) {
            return;
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, ACTIVATION_POLL_MS, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageW(&msg, NULL, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

BOOL ForegroundKeeper::IsOwnWindow(HWND hWnd) const
{
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    return (0 != dwProcessId &&
            (GetCurrentProcessId() == dwProcessId || m_dwModuleProcessId == dwProcessId))
               ? TRUE : FALSE;
}

BOOL ForegroundKeeper::IsForegroundOwn() const
{
    HWND hWnd = GetForegroundWindow();
    return (NULL != hWnd && TRUE == IsOwnWindow(hWnd)) ? TRUE : FALSE;
}

void ForegroundKeeper::Remember()
{
    Remember(GetForegroundWindow());
}

void ForegroundKeeper::Remember(HWND hWnd)
{
    if (NULL != hWnd && TRUE != IsOwnWindow(hWnd) && TRUE != IsShellTray(hWnd)) {
        m_hWndUser = hWnd;
    }
}

void ForegroundKeeper::TakeFor(HWND hWndOwn)
{
    Remember();
    SetForegroundWindow(hWndOwn);
}

BOOL ForegroundKeeper::GiveBack()
{
    if (TRUE != IsForegroundOwn()) {
        return TRUE;
    }
    // A handle of a window that has gone may since name one of ours.
    if (NULL == m_hWndUser || !IsWindow(m_hWndUser) || TRUE == IsOwnWindow(m_hWndUser)) {
        return FALSE;
    }
    SetForegroundWindow(m_hWndUser);
    m_hWndActivating = m_hWndUser;
    WaitForFocus(m_hWndUser);
    m_hWndActivating = NULL;
    return (TRUE == IsForegroundOwn()) ? FALSE : TRUE;
}

BOOL ForegroundKeeper::PrepareToType(HWND* phWndTarget)
{
    *phWndTarget = NULL;
    if (TRUE == IsForegroundOwn()) {
        // An open menu of the host closes: the scan goes to the user's window.
        EndMenu();
        if (TRUE != GiveBack()) {
            return FALSE;
        }
    }
    // A scan sent while the foreground is being given back (the wait answers
    // sent messages) waits for the same focus.
    if (NULL != m_hWndActivating) {
        WaitForFocus(m_hWndActivating);
    }
    // Each call into the window system costs a round trip under Wine: the
    // foreground is read once here for the remembering and the scan's target.
    *phWndTarget = GetForegroundWindow();
    Remember(*phWndTarget);
    return TRUE;
}
