// Finding the processes a test did not start itself: the input module that a
// host started, and programs still running under a given file name.
#pragma once

#include <windows.h>

// The process of the program pszExeName (any case) whose parent is dwParentId,
// or 0. The name matters: under Wine a program's first window may also start
// the desktop process (explorer.exe) as its child.
DWORD FindChildProcess(DWORD dwParentId, const WCHAR* pszExeName);
// FindChildProcess, asked every dwPollMs until it finds the process or
// dwTimeoutMs has passed (then 0). A short poll finds a child that lives for
// moments only.
DWORD WaitForChildProcess(DWORD dwParentId, const WCHAR* pszExeName, DWORD dwTimeoutMs,
                          DWORD dwPollMs = 20);
// How many running processes have the file name pszExeName (any case).
int CountProcessesNamed(const WCHAR* pszExeName);
