// Finding the processes a test did not start itself: the input module that a
// host started, and programs still running under a given file name.
#pragma once

#include <windows.h>

// The first process whose parent is dwParentId (a host starts one module), or 0.
DWORD FindChildProcess(DWORD dwParentId);
// How many running processes have the file name pszExeName (any case).
int CountProcessesNamed(const WCHAR* pszExeName);
