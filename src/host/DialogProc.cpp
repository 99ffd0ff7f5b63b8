#include "host/WindowBase.h"

// The object outlives the dialog and is destroyed by whoever made it after
// the modal call returns, so the user slot is never cleared here.
INT_PTR CALLBACK DialogProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (WM_INITDIALOG == uMsg) {
        WindowBase* pCreated = reinterpret_cast<WindowBase*>(lParam);
        SetWindowLongPtrW(hWnd, DWLP_USER, reinterpret_cast<LONG_PTR>(pCreated));
        if (NULL != pCreated) {
            pCreated->onCreate(hWnd);
        }
        return TRUE;  // the dialog manager sets the default focus
    }

    WindowBase* pDialog = reinterpret_cast<WindowBase*>(GetWindowLongPtrW(hWnd, DWLP_USER));
    switch (uMsg) {
    case WM_COMMAND:
        if (NULL != pDialog) {
            return pDialog->onCommand(hWnd, uMsg, wParam, lParam);
        }
        if (IDOK == wParam || IDCANCEL == wParam) {
            EndDialog(hWnd, 1);
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY:
        if (NULL != pDialog) {
            pDialog->onNotify(hWnd, wParam, lParam);
        }
        return FALSE;
    case WM_DRAWITEM:
        if (NULL != pDialog) {
            pDialog->onDrawItem(wParam, lParam);
        }
        return FALSE;
    case WM_GETDLGCODE:
        if (NULL != pDialog) {
            return pDialog->onGetDlgCode();
        }
        return FALSE;
    default:
        return FALSE;
    }
}
