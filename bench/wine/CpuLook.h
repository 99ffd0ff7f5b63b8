// The CPU time a running process has used so far, looked at from outside it
// in two ways: what Windows reports (GetProcessTimes, GetThreadTimes), and,
// under Wine, what Linux counts for the Unix process that runs the program
// (drive Z: is the Unix root, so /proc is Z:\proc).
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

struct ThreadCpu
{
    ULONGLONG ullCreation;  // 100 ns units since 1601
    ULONGLONG ullCpu;       // user + kernel, 100 ns units
};

struct CpuLook
{
    // GetProcessTimes, 100 ns units.
    ULONGLONG ullUser;
    ULONGLONG ullKernel;
    // GetThreadTimes of each thread, by thread id.
    std::map<DWORD, ThreadCpu> threads;
    // Linux's count (utime + stime) of the process and of each of its tasks
    // by task id, in milliseconds; empty when not under Wine or not found.
    BOOL fUnix;
    double dUnixMs;
    std::map<DWORD, double> unixTasks;
    // Linux's exact run time of the process's tasks (the scheduler's
    // nanoseconds, /proc/.../schedstat), summed, in milliseconds; the count
    // above goes in 10 ms ticks, too coarse for an idle program.
    double dUnixRunMs;
};

// Looks at hProcess, whose program file is strImagePath (to find its Unix
// process by its command line; empty: do not look). FALSE when
// GetProcessTimes fails. Wine 8 answers GetProcessTimes for any process with
// the caller's own times, so the figures are the threads' sum; this
// program's own GetProcessTimes is printed beside them to show it.
BOOL LookAtCpu(HANDLE hProcess, const std::wstring& strImagePath, CpuLook* pLook);

// Prints what the process used between two looks over dSeconds: the sum of
// its threads and each thread in the order made (the first is the program's
// own), Linux's count, and what GetProcessTimes said.
void PrintCpuUsed(const WCHAR* pszWho, const CpuLook& before, const CpuLook& after,
                  double dSeconds);
