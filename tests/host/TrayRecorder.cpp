// The shell seams of the host's test build. Every Shell_NotifyIcon call is
// made for real and recorded in "tray.log" next to the program, one line each:
//   <add|delete|modify|other> id=<uID> cb=<cbSize> flags=<uFlags>
//   msg=<uCallbackMessage> hwnd=<handle as %08x> icon=<0|1> result=<0|1> tip=<szTip>
// A test can make additions fail as they do before the notification area
// exists: "tray-refuse.txt" next to the program (read at the first call) holds
// one word for each of the first additions, in order:
//   refuse   the call is not made and fails (no notification area yet);
//   lost     the call is made but reported as failed (it timed out, yet the
//            icon was added).
// Later additions, and every other call, go through as they are.
// The tray menu and "Open data folder" are recorded in "shell.log" there:
//   menu <id>=<text>|<id>=<text>|-|... default=<id>   (- is a separator; the
//        menu is then shown for real)
//   open-folder <path>                                (no window is opened)
// Texts and paths in UTF-8.
#include <windows.h>
#include <shellapi.h>

#include <stdio.h>

#include <sstream>
#include <string>
#include <vector>

#include "host/TolvexWindow.h"
#include "support/TestFiles.h"

namespace {

std::wstring ProgramFolderFile(const WCHAR* pszName)
{
    WCHAR szPath[MAX_PATH];
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    std::wstring strPath = szPath;
    strPath.erase(strPath.rfind(L'\\') + 1);
    return strPath + pszName;
}

std::string Utf8(const WCHAR* pszText)
{
    char szText[512];
    WideCharToMultiByte(CP_UTF8, 0, pszText, -1, szText, sizeof(szText), NULL, NULL);
    szText[sizeof(szText) - 1] = '\0';
    return szText;
}

void AppendShellLog(const std::string& strLine)
{
    FILE* pFile = _wfopen(ProgramFolderFile(L"shell.log").c_str(), L"ab");
    if (NULL != pFile) {
        fprintf(pFile, "%s\n", strLine.c_str());
        fclose(pFile);
    }
}

// The answers still to give to additions, the next one last.
std::vector<std::string> ReadAddAnswers()
{
    std::vector<std::string> answers;
    std::string strText;
    if (TRUE != ReadWholeFile(ProgramFolderFile(L"tray-refuse.txt"), &strText)) {
        return answers;
    }
    std::istringstream words(strText);
    std::string strWord;
    while (words >> strWord) {
        answers.insert(answers.begin(), strWord);
    }
    return answers;
}

}  // namespace

BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData)
{
    static std::vector<std::string> s_addAnswers = ReadAddAnswers();
    std::string strAnswer;
    if (NIM_ADD == dwMessage && !s_addAnswers.empty()) {
        strAnswer = s_addAnswers.back();
        s_addAnswers.pop_back();
    }
    BOOL fResult = FALSE;
    if ("refuse" != strAnswer) {
        fResult = Shell_NotifyIconW(dwMessage, pData) ? TRUE : FALSE;
    }
    if ("lost" == strAnswer) {
        fResult = FALSE;
    }

    const char* pszMessage = (NIM_ADD == dwMessage)      ? "add"
                             : (NIM_DELETE == dwMessage) ? "delete"
                             : (NIM_MODIFY == dwMessage) ? "modify"
                                                         : "other";
    std::string strTip = Utf8(pData->szTip);
    FILE* pFile = _wfopen(ProgramFolderFile(L"tray.log").c_str(), L"ab");
    if (NULL != pFile) {
        fprintf(pFile, "%s id=%u cb=%lu flags=%u msg=%u hwnd=%08lx icon=%d result=%d tip=%s\n",
                pszMessage, pData->uID, pData->cbSize, pData->uFlags, pData->uCallbackMessage,
                (DWORD)(UINT_PTR)pData->hWnd, NULL != pData->hIcon ? 1 : 0, fResult,
                strTip.c_str());
        fclose(pFile);
    }
    return fResult;
}

void TrackTrayMenu(HMENU hMenu, HWND hWnd, POINT pt)
{
    std::string strLine = "menu ";
    int cItems = GetMenuItemCount(hMenu);
    for (int i = 0; i < cItems; i++) {
        if (i > 0) {
            strLine += "|";
        }
        WCHAR szText[128] = L"";
        if (0 == GetMenuStringW(hMenu, i, szText, ARRAYSIZE(szText), MF_BYPOSITION)) {
            strLine += "-";
        } else {
            strLine += std::to_string(GetMenuItemID(hMenu, i)) + "=" + Utf8(szText);
        }
    }
    strLine += " default=" + std::to_string(GetMenuDefaultItem(hMenu, FALSE, 0));
    AppendShellLog(strLine);
    TrackPopupMenu(hMenu, TPM_RIGHTBUTTON, pt.x, pt.y, 0, hWnd, NULL);
}

BOOL OpenFolderWindow(const WCHAR* pszFolder)
{
    AppendShellLog("open-folder " + Utf8(pszFolder));
    return TRUE;
}
