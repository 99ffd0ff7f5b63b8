#include "CpuLook.h"

#include <tlhelp32.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "support/TestFiles.h"

// Linux counts CPU time in clock ticks of 10 ms (USER_HZ 100).
#define UNIX_TICK_MS 10.0

namespace {

ULONGLONG FileTimeTo100ns(const FILETIME& ft)
{
    return ((ULONGLONG)ft.dwHighDateTime << 32) | ft.dwLowDateTime;
}

// utime + stime of a /proc/.../stat line, in milliseconds; the fields count
// from after the command name, which may hold blanks and parentheses.
BOOL ParseUnixStat(const std::string& strStat, double* pdMs)
{
    size_t iName = strStat.rfind(')');
    if (std::string::npos == iName) {
        return FALSE;
    }
    // After ") ": state is field 3, utime 14, stime 15.
    const char* p = strStat.c_str() + iName + 1;
    unsigned long long rgnFields[16] = {};
    int nField = 3;
    while (nField <= 15 && '\0' != *p) {
        while (' ' == *p) {
            p++;
        }
        char* pEnd = NULL;
        rgnFields[nField] = strtoull(p, &pEnd, 10);
        while ('\0' != *p && ' ' != *p) {
            p++;
        }
        nField++;
    }
    if (nField <= 15) {
        return FALSE;
    }
    *pdMs = (double)(rgnFields[14] + rgnFields[15]) * UNIX_TICK_MS;
    return TRUE;
}

std::vector<DWORD> ListNumericEntries(const std::wstring& strFolder)
{
    std::vector<DWORD> entries;
    WIN32_FIND_DATAW data;
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*").c_str(), &data);
    if (INVALID_HANDLE_VALUE == hFind) {
        return entries;
    }
    do {
        WCHAR* pEnd = NULL;
        unsigned long nValue = wcstoul(data.cFileName, &pEnd, 10);
        if (pEnd != data.cFileName && L'\0' == *pEnd) {
            entries.push_back((DWORD)nValue);
        }
    } while (FindNextFileW(hFind, &data));
    FindClose(hFind);
    return entries;
}

// The Unix process whose command line starts with the program's path (Wine
// puts the Windows path there), or 0.
DWORD FindUnixProcess(const std::wstring& strImagePath)
{
    std::string strNarrow(strImagePath.begin(), strImagePath.end());
    for (DWORD dwPid : ListNumericEntries(L"Z:\\proc")) {
        std::string strCommand;
        if (TRUE == ReadWholeFile(L"Z:\\proc\\" + std::to_wstring(dwPid) + L"\\cmdline", &strCommand) &&
            0 == _stricmp(strCommand.c_str(), strNarrow.c_str())) {
            return dwPid;
        }
    }
    return 0;
}

void LookAtUnixCpu(const std::wstring& strImagePath, CpuLook* pLook)
{
    pLook->fUnix = FALSE;
    pLook->unixTasks.clear();
    DWORD dwPid = strImagePath.empty() ? 0 : FindUnixProcess(strImagePath);
    if (0 == dwPid) {
        return;
    }
    std::wstring strProcess = L"Z:\\proc\\" + std::to_wstring(dwPid);
    std::string strStat;
    if (TRUE != ReadWholeFile(strProcess + L"\\stat", &strStat) ||
        TRUE != ParseUnixStat(strStat, &pLook->dUnixMs)) {
        return;
    }
    pLook->dUnixRunMs = 0;
    for (DWORD dwTask : ListNumericEntries(strProcess + L"\\task")) {
        std::wstring strTask = strProcess + L"\\task\\" + std::to_wstring(dwTask);
        double dMs = 0;
        if (TRUE == ReadWholeFile(strTask + L"\\stat", &strStat) && TRUE == ParseUnixStat(strStat, &dMs)) {
            pLook->unixTasks[dwTask] = dMs;
        }
        // Its first field: nanoseconds on a CPU.
        if (TRUE == ReadWholeFile(strTask + L"\\schedstat", &strStat)) {
            pLook->dUnixRunMs += (double)strtoull(strStat.c_str(), NULL, 10) / 1e6;
        }
    }
    pLook->fUnix = TRUE;
}

}  // namespace

BOOL LookAtCpu(HANDLE hProcess, const std::wstring& strImagePath, CpuLook* pLook)
{
    FILETIME ftCreation, ftExit, ftKernel, ftUser;
    if (!GetProcessTimes(hProcess, &ftCreation, &ftExit, &ftKernel, &ftUser)) {
        fprintf(stderr, "GetProcessTimes failed (%lu)\n", GetLastError());
        return FALSE;
    }
    pLook->ullUser = FileTimeTo100ns(ftUser);
    pLook->ullKernel = FileTimeTo100ns(ftKernel);
    pLook->threads.clear();

    DWORD dwProcessId = GetProcessId(hProcess);
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (INVALID_HANDLE_VALUE != hSnapshot) {
        THREADENTRY32 entry = {};
        entry.dwSize = sizeof(entry);
        for (BOOL f = Thread32First(hSnapshot, &entry); f; f = Thread32Next(hSnapshot, &entry)) {
            if (entry.th32OwnerProcessID != dwProcessId) {
                continue;
            }
            HANDLE hThread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, entry.th32ThreadID);
            if (NULL == hThread) {
                continue;
            }
            if (GetThreadTimes(hThread, &ftCreation, &ftExit, &ftKernel, &ftUser)) {
                pLook->threads[entry.th32ThreadID] = {
                    FileTimeTo100ns(ftCreation), FileTimeTo100ns(ftUser) + FileTimeTo100ns(ftKernel)
                };
            }
            CloseHandle(hThread);
        }
        CloseHandle(hSnapshot);
    }
    LookAtUnixCpu(strImagePath, pLook);
    return TRUE;
}

void PrintCpuUsed(const WCHAR* pszWho, const CpuLook& before, const CpuLook& after,
                  double dSeconds)
{
    std::vector<std::pair<ULONGLONG, double>> threads;
    double dThreadsMs = 0;
    for (const auto& entry : after.threads) {
        auto it = before.threads.find(entry.first);
        ULONGLONG ullBefore = (before.threads.end() == it) ? 0 : it->second.ullCpu;
        double dMs = (double)(entry.second.ullCpu - ullBefore) / 10000.0;
        threads.push_back({ entry.second.ullCreation, dMs });
        dThreadsMs += dMs;
    }
    std::sort(threads.begin(), threads.end());
    printf("idle %ls: %.0f ms CPU in %.1f s = %.2f %% of one core (GetThreadTimes, summed)\n",
           pszWho, dThreadsMs, dSeconds, dThreadsMs / (dSeconds * 10.0));
    printf("  threads in the order made (the first is the program's own):");
    for (const auto& thread : threads) {
        printf(" %.0f ms", thread.second);
    }
    printf("\n");

    if (TRUE == before.fUnix && TRUE == after.fUnix) {
        // Task ids grow in the order the tasks were made.
        double dUnixMs = after.dUnixMs - before.dUnixMs;
        printf("  Linux's count (/proc): %.0f ms = %.2f %% of one core; tasks:", dUnixMs,
               dUnixMs / (dSeconds * 10.0));
        for (const auto& task : after.unixTasks) {
            auto it = before.unixTasks.find(task.first);
            printf(" %.0f ms", task.second - ((before.unixTasks.end() == it) ? 0 : it->second));
        }
        printf("\n");
        double dRunMs = after.dUnixRunMs - before.dUnixRunMs;
        printf("  Linux's exact run time (schedstat): %.1f ms = %.3f %% of one core\n", dRunMs,
               dRunMs / (dSeconds * 10.0));
    }

    double dProcessMs = (double)((after.ullUser - before.ullUser) + (after.ullKernel - before.ullKernel)) / 10000.0;
    printf("  GetProcessTimes: %.0f ms\n", dProcessMs);
}
