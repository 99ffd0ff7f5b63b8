// The tray seam of the host's test build: every Shell_NotifyIcon call is made
// for real and recorded in "tray.log" next to the program, one line each:
//   <add|delete|modify|other> id=<uID> cb=<cbSize> flags=<uFlags>
//   msg=<uCallbackMessage> hwnd=<handle as %08x> icon=<0|1> result=<0|1> tip=<szTip>
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>

#include <string>

#include "host/TolvexWindow.h"

BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData)
{
    BOOL fResult = Shell_NotifyIconW(dwMessage, pData) ? TRUE : FALSE;

    WCHAR szPath[MAX_PATH];
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    std::wstring strLog = szPath;
    strLog.erase(strLog.rfind(L'\\') + 1);
    strLog += L"tray.log";

    const char* pszMessage = (NIM_ADD == dwMessage)      ? "add"
                             : (NIM_DELETE == dwMessage) ? "delete"
                             : (NIM_MODIFY == dwMessage) ? "modify"
                                                         : "other";
    char szTip[128];
    WideCharToMultiByte(CP_UTF8, 0, pData->szTip, -1, szTip, sizeof(szTip), NULL, NULL);
    szTip[sizeof(szTip) - 1] = '\0';
    FILE* pFile = _wfopen(strLog.c_str(), L"ab");
    if (NULL != pFile) {
        fprintf(pFile, "%s id=%u cb=%lu flags=%u msg=%u hwnd=%08lx icon=%d result=%d tip=%s\n",
                pszMessage, pData->uID, pData->cbSize, pData->uFlags, pData->uCallbackMessage,
                (DWORD)(UINT_PTR)pData->hWnd, NULL != pData->hIcon ? 1 : 0, fResult, szTip);
        fclose(pFile);
    }
    return fResult;
}
