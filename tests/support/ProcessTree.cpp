#include "support/ProcessTree.h"

#include <tlhelp32.h>

// Calls fnVisit for every running process until it returns true.
template <typename Visit>
static void ForEachProcess(Visit fnVisit)
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (INVALID_HANDLE_VALUE == hSnapshot) {
        return;
    }
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof(entry);
    for (BOOL f = Process32FirstW(hSnapshot, &entry); f; f = Process32NextW(hSnapshot, &entry)) {
        if (fnVisit(entry)) {
            break;
        }
    }
    CloseHandle(hSnapshot);
}

DWORD FindChildProcess(DWORD dwParentId, const WCHAR* pszExeName)
{
    DWORD dwChild = 0;
    ForEachProcess([&](const PROCESSENTRY32W& entry) {
        if (entry.th32ParentProcessID != dwParentId || 0 != _wcsicmp(entry.szExeFile, pszExeName)) {
            return false;
        }
        dwChild = entry.th32ProcessID;
        return true;
    });
    return dwChild;
}

DWORD WaitForChildProcess(DWORD dwParentId, const WCHAR* pszExeName, DWORD dwTimeoutMs,
                          DWORD dwPollMs)
{
    ULONGLONG ullStart = GetTickCount64();
    for (;;) {
        DWORD dwChild = FindChildProcess(dwParentId, pszExeName);
        if (0 != dwChild || GetTickCount64() - ullStart >= dwTimeoutMs) {
            return dwChild;
        }
        Sleep(dwPollMs);
    }
}

int CountProcessesNamed(const WCHAR* pszExeName)
{
    int nCount = 0;
    ForEachProcess([&](const PROCESSENTRY32W& entry) {
        if (0 == _wcsicmp(entry.szExeFile, pszExeName)) {
            nCount++;
        }
        return false;
    });
    return nCount;
}
