#include "support/TestWindows.h"

#include "support/SimSession.h"

// How often the waits look again.
#define POLL_MS 20

// How long a window of another process may take to answer a message.
#define ANSWER_MS 5000

static HWND FindTopWindow(const WCHAR* pszClass, const WCHAR* pszCaption, DWORD dwProcessId)
{
    HWND hWnd = NULL;
    while (NULL != (hWnd = FindWindowExW(NULL, hWnd, pszClass, pszCaption))) {
        DWORD dwOwner = 0;
        GetWindowThreadProcessId(hWnd, &dwOwner);
        if (0 == dwProcessId || dwOwner == dwProcessId) {
            return hWnd;
        }
    }
    return NULL;
}

HWND WaitForTopWindow(const WCHAR* pszClass, const WCHAR* pszCaption, DWORD dwTimeoutMs,
                      DWORD dwProcessId)
{
    ULONGLONG ullStart = GetTickCount64();
    for (;;) {
        HWND hWnd = FindTopWindow(pszClass, pszCaption, dwProcessId);
        if (NULL != hWnd) {
            return hWnd;
        }
        if (GetTickCount64() - ullStart >= dwTimeoutMs) {
            return NULL;
        }
        Sleep(POLL_MS);
    }
}

BOOL WaitForWindowGone(HWND hWnd, DWORD dwTimeoutMs)
{
    ULONGLONG ullStart = GetTickCount64();
    while (IsWindow(hWnd)) {
        if (GetTickCount64() - ullStart >= dwTimeoutMs) {
            return FALSE;
        }
        Sleep(POLL_MS);
    }
    return TRUE;
}

std::wstring GetWindowTextOf(HWND hWnd)
{
    // GetWindowTextW does not read controls of other processes; WM_GETTEXT does.
    DWORD_PTR cch = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, ANSWER_MS, &cch)) {
        return std::wstring();
    }
    std::wstring strText(cch + 1, L'\0');
    DWORD_PTR cchCopied = 0;
    if (!SendMessageTimeoutW(hWnd, WM_GETTEXT, strText.size(), (LPARAM)&strText[0],
                             SMTO_ABORTIFHUNG, ANSWER_MS, &cchCopied)) {
        return std::wstring();
    }
    strText.resize(cchCopied < cch ? cchCopied : cch);
    return strText;
}

static BOOL IsStaticText(HWND hWnd)
{
    WCHAR szClass[16];
    if (0 == GetClassNameW(hWnd, szClass, 16) || 0 != lstrcmpiW(szClass, L"Static")) {
        return FALSE;
    }
    LONG_PTR lStyle = GetWindowLongPtrW(hWnd, GWL_STYLE);
    return SS_ICON != (lStyle & SS_TYPEMASK) ? TRUE : FALSE;
}

std::wstring ReadBoxText(HWND hBox)
{
    HWND hText = GetDlgItem(hBox, 0xFFFF);
    if (NULL == hText) {
        hText = GetDlgItem(hBox, 100);
    }
    if (NULL == hText) {
        for (HWND hChild = GetWindow(hBox, GW_CHILD); NULL != hChild;
             hChild = GetWindow(hChild, GW_HWNDNEXT)) {
            if (IsStaticText(hChild)) {
                hText = hChild;
                break;
            }
        }
    }
    return NULL == hText ? std::wstring() : GetWindowTextOf(hText);
}

BOOL PressBoxButton(HWND hBox, int nButtonId)
{
    HWND hButton = GetDlgItem(hBox, nButtonId);
    if (NULL == hButton) {
        return FALSE;
    }
    return PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(nButtonId, BN_CLICKED), (LPARAM)hButton)
               ? TRUE : FALSE;
}

HWND WaitForShownBox(const WCHAR* pszCaption, DWORD dwProcessId, DWORD dwTimeoutMs)
{
    ULONGLONG ullStart = GetTickCount64();
    HWND hBox = WaitForTopWindow(TEST_BOX_CLASS, pszCaption, dwTimeoutMs, dwProcessId);
    if (NULL == hBox) {
        return NULL;
    }
    while (!IsWindowVisible(hBox)) {
        if (!IsWindow(hBox) || GetTickCount64() - ullStart >= dwTimeoutMs) {
            return NULL;
        }
        Sleep(20);
    }
    return hBox;
}

HWND CreateObjectWindow(const WCHAR* pszClass, WNDPROC pfnProc, const WCHAR* pszTitle,
                        DWORD dwStyle, int nSize, HWND hWndParent, void* pObject)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = pfnProc;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = GetModuleHandleW(NULL);
    wc.lpszClassName = pszClass;
    RegisterClassW(&wc);
    HWND hWnd = CreateWindowExW(0, pszClass, pszTitle, dwStyle, 0, 0, nSize, nSize, hWndParent, NULL,
                                GetModuleHandleW(NULL), NULL);
    if (NULL != hWnd) {
        SetWindowLongPtrW(hWnd, 0, reinterpret_cast<LONG_PTR>(pObject));
    }
    return hWnd;
}

HWND CreateFrontWindow()
{
    HWND hFront = CreateWindowExW(0, L"STATIC", L"front", WS_POPUP | WS_VISIBLE, 10, 10, 100, 50,
                                  NULL, NULL, GetModuleHandleW(NULL), NULL);
    if (NULL != hFront) {
        SetForegroundWindow(hFront);
        PumpWait(NULL, 50);
    }
    return hFront;
}
