// The host's arithmetic that needs no window, kept apart so that the native
// build can test it.
#pragma once

#include "common/Types.h"

// "StartupDelay" blocks the only thread before any window exists; a larger
// value is cut to this, so that a typo cannot hang the host for ever.
#define MAX_STARTUP_DELAY 60000

// The start-up delay in milliseconds for the setting's text (null: absent).
// Unsigned decimal as settings hold it, bounded by MAX_STARTUP_DELAY.
DWORD GetStartupDelay(const WCHAR* pszValue);

// Where a window of extent nWindow starts when centred in an area of extent
// nArea: rounded toward zero, never negative.
int CenterOffset(int nArea, int nWindow);
