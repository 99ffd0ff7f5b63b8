// Finding top-level windows and message boxes of other processes, reading
// their texts and pressing their buttons. Every wait is bounded.
#pragma once

#include <windows.h>

#include <string>

// The window class of every message box.
#define TEST_BOX_CLASS L"#32770"

// Polls until a top-level window with this class and caption exists and
// returns it, or NULL after dwTimeoutMs. Either text may be NULL (any);
// a non-zero dwProcessId accepts only windows of that process.
HWND WaitForTopWindow(const WCHAR* pszClass, const WCHAR* pszCaption, DWORD dwTimeoutMs,
                      DWORD dwProcessId = 0);
// Like WaitForTopWindow for a box (class "#32770") with this caption, but
// returns it only once it is shown, with its controls made and ready for
// PressBoxButton; NULL after dwTimeoutMs.
HWND WaitForShownBox(const WCHAR* pszCaption, DWORD dwProcessId, DWORD dwTimeoutMs);
// Polls until hWnd no longer exists; FALSE when it still does after dwTimeoutMs.
BOOL WaitForWindowGone(HWND hWnd, DWORD dwTimeoutMs);

// A window of this test program that carries an object: registers the class
// pszClass with pfnProc and room for one pointer (once; a second registration
// fails harmlessly), creates the window at 0,0 with nSize as width and
// height, and stores pObject in slot 0, where pfnProc reads it with
// GetWindowLongPtrW(hWnd, 0). NULL when the window cannot be made.
HWND CreateObjectWindow(const WCHAR* pszClass, WNDPROC pfnProc, const WCHAR* pszTitle,
                        DWORD dwStyle, int nSize, HWND hWndParent, void* pObject);

// Shows a small window of this program in front and makes it the foreground
// window (the owner a box of another process takes), dispatching messages for
// a moment so that the activation settles. NULL when it cannot be made;
// DestroyWindow it at the end.
HWND CreateFrontWindow();

// The text of any window, also of another process (WM_GETTEXT with a time-out).
std::wstring GetWindowTextOf(HWND hWnd);
// The message text of a message box: the static control with id 0xFFFF
// (Windows) or 100 (Wine), else the first static control that is not the icon.
std::wstring ReadBoxText(HWND hBox);
// Presses a button of a dialog or message box (IDOK, IDCANCEL, ...) the way
// a click does: the box gets WM_COMMAND with BN_CLICKED from that button.
// FALSE when the box has no such button or the message cannot be posted.
BOOL PressBoxButton(HWND hBox, int nButtonId);
