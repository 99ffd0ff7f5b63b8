#include "support/TypingTarget.h"

#define TYPING_TARGET_SETTLE_MS 100

void PumpMessages()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

static LRESULT CALLBACK TypingTargetProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    // The window passes the focus on to its EDIT control, as an editor's
    // frame does: when another program's window comes and goes (a host or a
    // module starting), the reactivated window would otherwise keep the focus
    // itself and the typing would land nowhere.
    if (WM_SETFOCUS == uMsg) {
        HWND hEdit = GetWindow(hWnd, GW_CHILD);
        if (NULL != hEdit) {
            SetFocus(hEdit);
            return 0;
        }
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

TypingTarget::TypingTarget(const WCHAR* pszClass)
    : m_hWnd(NULL), m_hEdit(NULL)
{
    HINSTANCE hInstance = GetModuleHandleW(NULL);
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.lpfnWndProc = TypingTargetProc;
    wc.hInstance = hInstance;
    wc.hCursor = LoadCursorW(NULL, IDC_ARROW);
    wc.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    wc.lpszClassName = pszClass;
    RegisterClassW(&wc);  // fails harmlessly when an earlier target registered it

    m_hWnd = CreateWindowExW(0, pszClass, L"Tolvex typing target",
                             WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640, 400, NULL, NULL,
                             hInstance, NULL);
    if (NULL == m_hWnd) {
        return;
    }
    m_hEdit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                              WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN |
                                  ES_AUTOVSCROLL,
                              0, 0, 620, 360, m_hWnd, NULL, hInstance, NULL);
    Focus();
}

TypingTarget::~TypingTarget()
{
    if (NULL != m_hWnd) {
        DestroyWindow(m_hWnd);
        PumpMessages();
    }
}

BOOL TypingTarget::Focus()
{
    if (NULL == m_hEdit) {
        return FALSE;
    }
    ShowWindow(m_hWnd, SW_SHOW);
    SetForegroundWindow(m_hWnd);
    SetActiveWindow(m_hWnd);
    SetFocus(m_hEdit);
    PumpMessages();
    return (m_hWnd == GetForegroundWindow() && m_hEdit == GetFocus()) ? TRUE : FALSE;
}

BOOL TypingTarget::FocusUntilSettled(DWORD dwTimeoutMs)
{
    ULONGLONG ullStart = GetTickCount64();
    // A window closed meanwhile (its messages are dispatched here) never settles.
    while (IsWindow(m_hWnd) && GetTickCount64() - ullStart < dwTimeoutMs) {
        if (TRUE == Focus()) {
            ULONGLONG ullHeld = GetTickCount64();
            while (m_hEdit == GetFocus() && GetTickCount64() - ullHeld < 500) {
                MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
                PumpMessages();
            }
            if (m_hEdit == GetFocus() && m_hWnd == GetForegroundWindow()) {
                return TRUE;
            }
        }
        Sleep(20);
    }
    return FALSE;
}

void TypingTarget::Clear()
{
    PumpMessages();
    SetWindowTextW(m_hEdit, L"");
}

std::wstring TypingTarget::GetText()
{
    PumpMessages();
    int nLength = GetWindowTextLengthW(m_hEdit);
    std::wstring strText((size_t)nLength + 1, L'\0');
    int nCopied = GetWindowTextW(m_hEdit, &strText[0], nLength + 1);
    strText.resize(nCopied > 0 ? (size_t)nCopied : 0);
    return strText;
}

std::wstring TypingTarget::WaitForText(size_t nLength, DWORD dwTimeoutMs)
{
    DWORD dwStart = GetTickCount();
    DWORD dwLastChange = dwStart;
    int nLast = -1;
    for (;;) {
        PumpMessages();
        int nNow = GetWindowTextLengthW(m_hEdit);
        DWORD dwNow = GetTickCount();
        if (nNow != nLast) {
            nLast = nNow;
            dwLastChange = dwNow;
        }
        if ((size_t)nNow >= nLength && dwNow - dwLastChange >= TYPING_TARGET_SETTLE_MS) {
            break;
        }
        if (dwNow - dwStart >= dwTimeoutMs) {
            break;
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
    return GetText();
}
