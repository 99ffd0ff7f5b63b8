#include <windows.h>
#include <shellapi.h>

#include "host/TolvexWindow.h"

// Kept in its own file so that a test build of the host can link a recording
// ShellNotifyIcon instead of this one.
BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData)
{
    return Shell_NotifyIconW(dwMessage, pData) ? TRUE : FALSE;
}
