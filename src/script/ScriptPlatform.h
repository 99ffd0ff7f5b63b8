// What the script host needs from the platform, split per platform in the
// *_win.cpp and *_posix.cpp files of this folder.
#pragma once

#include "common/Types.h"

// Suspends the thread for nMilliseconds (already bounded).
void SleepMilliseconds(DWORD nMilliseconds);
// The pause of a script's sleep, through the sleep seam.
void PauseScript(DWORD nMilliseconds);
// A script's log text, through the log seam.
void WriteScriptLog(const char* pbText, size_t cbText);
// A monotonic clock in microseconds, for the typing time of a scan.
uint64_t ReadMicroseconds();
