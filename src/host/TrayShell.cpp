#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include "host/TolvexWindow.h"

// The host's calls into the shell, kept in their own file so that a test
// build of the host can link recording ones instead of these.
BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData)
{
    return Shell_NotifyIconW(dwMessage, pData) ? TRUE : FALSE;
}

void TrackTrayMenu(HMENU hMenu, HWND hWnd, POINT pt)
{
    // Without TPM_RETURNCMD the chosen item sends its WM_COMMAND to hWnd.
    TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hWnd, NULL);
}

BOOL OpenFolderWindow(const WCHAR* pszFolder)
{
    // The shell may hand the verb to COM objects, and must be done with them
    // before COM is left again.
    HRESULT hrCom = CoInitializeEx(NULL, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    SHELLEXECUTEINFOW sei;
    ZeroMemory(&sei, sizeof(sei));
    sei.cbSize = sizeof(sei);
    // The host shows its own box when the folder cannot be opened.
    sei.fMask = SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    // "explore": an Explorer window, whatever program a folder's "open" names.
    sei.lpVerb = L"explore";
    sei.lpFile = pszFolder;
    sei.nShow = SW_SHOWNORMAL;
    BOOL fOpened = ShellExecuteExW(&sei) ? TRUE : FALSE;
    if (SUCCEEDED(hrCom)) {
        CoUninitialize();
    }
    return fOpened;
}
