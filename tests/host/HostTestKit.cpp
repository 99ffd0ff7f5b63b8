#include "HostTestKit.h"

#include <stdio.h>

#include <sstream>

#include "support/TestWindows.h"

const char kszEchoScript[] = "function process(scan) return scan end\n";

BOOL InstallHost(TestInstallation& inst, const WCHAR* pszHostProgram)
{
    return inst.CopyFromBuild(pszHostProgram, L"Tolvex.exe") &&
                   inst.CopyFromBuild(L"lua51.dll", L"lua51.dll") &&
                   inst.CopyFromBuild(L"TestModule.exe", L"TestModule.exe") &&
                   inst.WriteFile(L"Tolvex.txt", "InputModule=TestModule.exe\r\n") &&
                   inst.WriteFile(L"script.lua", kszEchoScript)
               ? TRUE
               : FALSE;
}

std::vector<std::string> ReadModuleEvents(const TestInstallation& inst, const char* pszWord)
{
    std::vector<std::string> events;
    for (const std::string& strLine : inst.ReadLines(L"module.log")) {
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
