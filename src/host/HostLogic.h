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

// Exit codes with which the loader ends a program that cannot start: a
// library it imports is missing, or it or a library is for another platform.
#define LOADER_DLL_NOT_FOUND 0xC0000135u
#define LOADER_INVALID_IMAGE_FORMAT 0xC000007Bu

// What the box about a module that ended unexpectedly adds after its exit
// code: a hint for the loader's codes above, else the empty text.
const WCHAR* ModuleEndedHint(DWORD dwExitCode);

// Started from the Run key, the host may come up before the notification
// area exists. How long it then goes on trying to add its tray icon, on its
// one-second watch timer: two minutes.
#define TRAY_RETRY_PERIOD 120000

// When to try adding the tray icon again. Times are milliseconds of one
// monotonic tick count.
class TrayIconRetry
{
public:
    TrayIconRetry() : m_fFailed(FALSE), m_ullGiveUpAt(0) {}

    // The outcome of an attempt made at ullNow. A failure begins
    // TRAY_RETRY_PERIOD of retries unless they are already under way, so
    // failed retries do not prolong them; a success ends them.
    void Record(BOOL fShown, uint64_t ullNow);
    // TRUE when the icon is missing and the retries have not run out at ullNow.
    BOOL IsDue(uint64_t ullNow) const;

private:
    BOOL m_fFailed;
    uint64_t m_ullGiveUpAt;
};
