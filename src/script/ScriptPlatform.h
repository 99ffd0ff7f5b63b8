// What the script host needs from the platform, split per platform in the
// *_win.cpp and *_posix.cpp files of this folder.
#pragma once

#include "common/Types.h"

// Suspends the thread for nMilliseconds (already bounded).
void SleepMilliseconds(DWORD nMilliseconds);
// The pause of a script's sleep, through the sleep seam.
void PauseScript(DWORD nMilliseconds);
