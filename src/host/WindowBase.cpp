#include "host/WindowBase.h"

WindowBase::WindowBase() : m_hWnd(NULL) {}

WindowBase::~WindowBase() {}

BOOL WindowBase::create()
{
    return FALSE;
}

void WindowBase::onCreate(HWND) {}
void WindowBase::onDestroy() {}
void WindowBase::onPaint() {}
void WindowBase::onSetFocus() {}
void WindowBase::onKillFocus(WPARAM) {}
void WindowBase::onChar(WPARAM, LPARAM) {}
void WindowBase::onKeyDown(WPARAM, LPARAM) {}

LRESULT WindowBase::onCommand(HWND, UINT, WPARAM, LPARAM)
{
    return 0;
}

void WindowBase::onNotify(HWND, WPARAM, LPARAM) {}
void WindowBase::onDrawItem(WPARAM, LPARAM) {}

BOOL WindowBase::onClose()
{
    return FALSE;
}

void WindowBase::onActivate(WPARAM, WORD, LPARAM) {}

LRESULT WindowBase::onCopyData(LPARAM)
{
    return 0;
}

LRESULT WindowBase::onGetDlgCode()
{
    return 0;
}

void WindowBase::onTimer(WPARAM) {}
void WindowBase::onDeviceMessage() {}

LRESULT WindowBase::defaultProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

WindowBase* GetWindowObject(HWND hWnd)
{
    return reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hWnd, 0));
}

LRESULT RouteWindowMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam,
                           UINT uDeviceMessage)
{
    if (WM_CREATE == uMsg) {
        const CREATESTRUCTW* pCreate = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        WindowBase* pCreated = static_cast<WindowBase*>(pCreate->lpCreateParams);
        SetWindowLongPtrW(hWnd, 0, reinterpret_cast<LONG_PTR>(pCreated));
        if (NULL != pCreated) {
            pCreated->onCreate(hWnd);
        }
        return 0;
    }

    // Messages before WM_CREATE or after WM_DESTROY have no object.
    WindowBase* pWindow = GetWindowObject(hWnd);
    if (NULL == pWindow) {
        return DefWindowProcW(hWnd, uMsg, wParam, lParam);
    }

    if (0 != uDeviceMessage && uDeviceMessage == uMsg) {
        pWindow->onDeviceMessage();
        return 0;
    }

    switch (uMsg) {
    case WM_DESTROY:
        pWindow->onDestroy();
        SetWindowLongPtrW(hWnd, 0, 0);
        return 0;
    case WM_ACTIVATE:
        pWindow->onActivate(wParam, HIWORD(wParam), lParam);
        return pWindow->defaultProc(hWnd, uMsg, wParam, lParam);
    case WM_SETFOCUS:
        pWindow->onSetFocus();
        return pWindow->defaultProc(hWnd, uMsg, wParam, lParam);
    case WM_KILLFOCUS:
        pWindow->onKillFocus(wParam);
        return pWindow->defaultProc(hWnd, uMsg, wParam, lParam);
    case WM_PAINT:
        // defaultProc validates the update region, even for a window that paints nothing.
        pWindow->onPaint();
        return pWindow->defaultProc(hWnd, uMsg, wParam, lParam);
    case WM_CLOSE:
        if (FALSE == pWindow->onClose()) {
            pWindow->defaultProc(hWnd, uMsg, wParam, lParam);
        }
        return 0;
    case WM_COPYDATA:
        return pWindow->onCopyData(lParam);
    case WM_NOTIFY:
        pWindow->onNotify(hWnd, wParam, lParam);
        return 0;
    case WM_KEYDOWN:
        pWindow->onKeyDown(wParam, lParam);
        return 0;
    case WM_CHAR:
        pWindow->onChar(wParam, lParam);
        return 0;
    case WM_COMMAND:
        return pWindow->onCommand(hWnd, uMsg, wParam, lParam);
    case WM_TIMER:
        pWindow->onTimer(wParam);
        return 0;
    default:
        return pWindow->defaultProc(hWnd, uMsg, wParam, lParam);
    }
}

BOOL RegisterWindowBaseClass(HINSTANCE hInstance, const WCHAR* pszClassName, WNDPROC pfnWndProc)
{
    WNDCLASSW wc;
    ZeroMemory(&wc, sizeof(wc));
    wc.style = 0;
    wc.lpfnWndProc = pfnWndProc;
    wc.cbClsExtra = 0;
    wc.cbWndExtra = WINDOWBASE_EXTRA_BYTES;
    wc.hInstance = hInstance;
    wc.hIcon = NULL;
    wc.hCursor = NULL;
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszMenuName = NULL;
    wc.lpszClassName = pszClassName;
    return (0 != RegisterClassW(&wc)) ? TRUE : FALSE;
}
