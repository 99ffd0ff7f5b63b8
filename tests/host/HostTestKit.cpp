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

bool RunningHost::Start(TestInstallation& inst)
{
    if (!inst.Start(process, L"Tolvex.exe")) {
        return false;
    }
    hWnd = WaitForHostWindow(process.GetId(), 10000);
    return NULL != hWnd &&
           PumpUntil([&] { return !ReadModuleEvents(inst, "start").empty(); }, 10000);
}

HWND WaitForAboutBox(DWORD dwProcessId, DWORD dwTimeoutMs)
{
    HWND hBox = WaitForShownBox(L"Tolvex", dwProcessId, dwTimeoutMs);
    return (NULL != hBox && NULL != GetDlgItem(hBox, 1002)) ? hBox : NULL;
}

std::vector<TrayCall> ReadTrayCalls(TestInstallation& inst)
{
    std::vector<TrayCall> calls;
    for (const std::string& strLine : inst.ReadLines(L"tray.log")) {
        TrayCall call;
        char szMessage[16], szWindow[16];
        if (8 == sscanf(strLine.c_str(), "%15s id=%u cb=%u flags=%u msg=%u hwnd=%15s icon=%u result=%u",
                        szMessage, &call.uId, &call.cbSize, &call.uFlags, &call.uMessage, szWindow,
                        &call.nIcon, &call.nResult)) {
            call.strMessage = szMessage;
            call.strWindow = szWindow;
            size_t iTip = strLine.find(" tip=");
            call.strTip = (std::string::npos != iTip) ? strLine.substr(iTip + 5) : "";
        }
        calls.push_back(call);
    }
    return calls;
}

std::wstring OwnAppName()
{
    WCHAR szPath[MAX_PATH];
    DWORD cch = GetModuleFileNameW(NULL, szPath, ARRAYSIZE(szPath));
    std::wstring strName(szPath, cch);
    strName.erase(0, strName.rfind(L'\\') + 1);
    CharLowerBuffW(&strName[0], (DWORD)strName.size());
    return strName;
}
