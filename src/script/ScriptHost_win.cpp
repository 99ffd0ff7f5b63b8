#include "script/ScriptPlatform.h"

#include <windows.h>

void SleepMilliseconds(DWORD nMilliseconds)
{
    Sleep(nMilliseconds);
}

uint64_t ReadMicroseconds()
{
    // Never fails on Windows XP and later.
    LARGE_INTEGER liCount, liFrequency;
    QueryPerformanceCounter(&liCount);
    QueryPerformanceFrequency(&liFrequency);
    return (uint64_t)(liCount.QuadPart / liFrequency.QuadPart) * 1000000u +
           (uint64_t)(liCount.QuadPart % liFrequency.QuadPart) * 1000000u /
               (uint64_t)liFrequency.QuadPart;
}
