// The foreground application of the Caps Lock test, in a process of its own:
// a typing target whose caption tells how its own thread sees Caps Lock
// ("Caps Lock on" / "Caps Lock off") after every message. It ends when its
// window is closed, or after ForegroundHelper.h's time limit. Its command line
// may name the window's class (TYPING_TARGET_CLASS when empty): a copy of it
// under another name then plays another program's window, as HostTargetTest's
// copy "mstsc.exe" plays the remote client.
#include <windows.h>

#include "ForegroundHelper.h"
#include "support/TypingTarget.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR pszCommandLine, int)
{
    BOOL fClassGiven = (NULL != pszCommandLine && L'\0' != pszCommandLine[0]) ? TRUE : FALSE;
    TypingTarget target((TRUE == fClassGiven) ? pszCommandLine : TYPING_TARGET_CLASS);
    HWND hWnd = target.GetWindow();
    // Wine activates a newly started program's window late.
    if (NULL == hWnd || TRUE != target.FocusUntilSettled(FOREGROUND_HELPER_SETTLE_MS)) {
        return 1;
    }
    ULONGLONG ullStart = GetTickCount64();
    while (IsWindow(hWnd) && GetTickCount64() - ullStart < FOREGROUND_HELPER_LIFETIME_MS) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (IsWindow(hWnd)) {
            SetWindowTextW(hWnd, (GetKeyState(VK_CAPITAL) & 1) ? FOREGROUND_CAPS_ON
                                                              : FOREGROUND_CAPS_OFF);
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
    }
    return 0;
}
