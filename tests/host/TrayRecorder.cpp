// The tray seam of the host's test build: every Shell_NotifyIcon call is made
// for real and recorded in "tray.log" next to the program, one line each:
//   <add|delete|modify|other> id=<uID> cb=<cbSize> flags=<uFlags>
//   msg=<uCallbackMessage> hwnd=<handle as %08x> icon=<0|1> result=<0|1> tip=<szTip>
// A test can make additions fail as they do before the notification area
// exists: "tray-refuse.txt" next to the program (read at the first call) holds
// one word for each of the first additions, in order:
//   refuse   the call is not made and fails (no notification area yet);
//   lost     the call is made but reported as failed (it timed out, yet the
//            icon was added).
// Later additions, and every other call, go through as they are.
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
    char szTip[128];
    WideCharToMultiByte(CP_UTF8, 0, pData->szTip, -1, szTip, sizeof(szTip), NULL, NULL);
    szTip[sizeof(szTip) - 1] = '\0';
    FILE* pFile = _wfopen(ProgramFolderFile(L"tray.log").c_str(), L"ab");
    if (NULL != pFile) {
        fprintf(pFile, "%s id=%u cb=%lu flags=%u msg=%u hwnd=%08lx icon=%d result=%d tip=%s\n",
                pszMessage, pData->uID, pData->cbSize, pData->uFlags, pData->uCallbackMessage,
                (DWORD)(UINT_PTR)pData->hWnd, NULL != pData->hIcon ? 1 : 0, fResult, szTip);
        fclose(pFile);
    }
    return fResult;
}
