#include "HostInstallation.h"

#include <stdio.h>

#include <sstream>

#include "support/TestWindows.h"

const char kszEchoScript[] = "function process(scan) return scan end\n";

HostInstallation::HostInstallation(const WCHAR* pszHostProgram) : m_fReady(FALSE)
{
    if (m_folder.GetPath().empty()) {
        return;
    }
    m_fReady = CopyFileW(GetTestProgramPath(pszHostProgram).c_str(),
                         GetFilePath(L"Tolvex.exe").c_str(), FALSE) &&
               CopyFileW(GetTestProgramPath(L"lua51.dll").c_str(),
                         GetFilePath(L"lua51.dll").c_str(), FALSE) &&
               CopyFileW(GetTestProgramPath(L"tvx_test_module.exe").c_str(),
                         GetFilePath(L"TestModule.exe").c_str(), FALSE) &&
               WriteSettings("InputModule=TestModule.exe\r\n") && WriteScript(kszEchoScript);
}

BOOL HostInstallation::WriteSettings(const char* pszSettings)
{
    if (NULL == pszSettings) {
        DeleteFileW(GetFilePath(L"Tolvex.txt").c_str());
        return TRUE;
    }
    return WriteFile(L"Tolvex.txt", pszSettings);
}

BOOL HostInstallation::WriteScript(const char* pszScript)
{
    if (NULL == pszScript) {
        DeleteFileW(GetFilePath(L"script.lua").c_str());
        return TRUE;
    }
    return WriteFile(L"script.lua", pszScript);
}

BOOL HostInstallation::WriteFile(const WCHAR* pszName, const std::string& strBytes)
{
    // Written beside the final name and renamed, so that the module never
    // reads half a file.
    std::wstring strTemp = GetFilePath(L"~writing");
    return WriteTextFile(strTemp, strBytes) &&
           MoveFileExW(strTemp.c_str(), GetFilePath(pszName).c_str(), MOVEFILE_REPLACE_EXISTING);
}

BOOL HostInstallation::StartHost(TestProcess& process)
{
    return process.Start(GetFilePath(L"Tolvex.exe").c_str(), NULL, GetFolder().c_str());
}

std::vector<std::string> HostInstallation::ReadLog(const WCHAR* pszName) const
{
    std::vector<std::string> lines;
    FILE* pFile = _wfopen(GetFilePath(pszName).c_str(), L"rb");
    if (NULL == pFile) {
        return lines;
    }
    char szLine[1024];
    while (NULL != fgets(szLine, sizeof(szLine), pFile)) {
        std::string strLine = szLine;
        while (!strLine.empty() && ('\n' == strLine.back() || '\r' == strLine.back())) {
            strLine.pop_back();
        }
        lines.push_back(strLine);
    }
    fclose(pFile);
    return lines;
}

std::vector<std::string> HostInstallation::ReadModuleEvents(const char* pszWord) const
{
    std::vector<std::string> events;
    for (const std::string& strLine : ReadLog(L"module.log")) {
        std::istringstream fields(strLine);
        std::string strPid, strWord;
        fields >> strPid >> strWord;
        if (strWord == pszWord) {
            events.push_back(strLine);
        }
    }
    return events;
}

HWND WaitForHostWindow(DWORD dwProcessId, DWORD dwTimeoutMs)
{
    return WaitForTopWindow(L"Tolvex", L"Tolvex", dwTimeoutMs, dwProcessId);
}


std::string HandleDigits(HWND hWnd)
{
    char sz[16];
    snprintf(sz, sizeof(sz), "%08lx", (DWORD)(UINT_PTR)hWnd);
    return sz;
}

std::string Utf8(const std::wstring& str)
{
    int cb = WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, NULL, 0, NULL, NULL);
    std::string strOut(cb > 0 ? cb - 1 : 0, '\0');
    if (cb > 1) {
        WideCharToMultiByte(CP_UTF8, 0, str.c_str(), -1, &strOut[0], cb, NULL, NULL);
    }
    return strOut;
}
