#include "keyboard/CapsLock.h"

#include "common/Assert.h"

BOOL ReadCapsLock(CapsLockCalls* pCalls)
{
    FATAL_ASSERT(NULL != pCalls);
    void* pvForeground = pCalls->foregroundWindow();
    DWORD dwForegroundThread = 0;
    DWORD dwThread = 0;
    if (NULL != pvForeground) {
        dwForegroundThread = pCalls->windowThread(pvForeground);
        dwThread = pCalls->currentThread();
    }
    // Attached only where it may be (see CapsLock.h); otherwise, and with our
    // own window in front (whose state is the user's, and a thread cannot
    // attach to itself), this thread reads its own state.
    BOOL fAttached = (0 != dwForegroundThread && dwThread != dwForegroundThread &&
                      TRUE != pCalls->attachingResetsKeyState() &&
                      TRUE != pCalls->isHungAppWindow(pvForeground) &&
                      TRUE == pCalls->attachThreadInput(dwThread, dwForegroundThread, TRUE))
                         ? TRUE
                         : FALSE;
    BOOL fToggled = pCalls->capsLockToggled();
    if (TRUE == fAttached) {
        pCalls->attachThreadInput(dwThread, dwForegroundThread, FALSE);
    }
    return fToggled;
}
