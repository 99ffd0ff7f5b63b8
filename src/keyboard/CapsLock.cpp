#include "keyboard/CapsLock.h"

#include "common/Assert.h"

BOOL ReadCapsLock(CapsLockCalls* pCalls)
{
    FATAL_ASSERT(NULL != pCalls);
    void* pvForeground = pCalls->foregroundWindow();
    if (NULL == pvForeground) {
        return pCalls->capsLockToggled();
    }
    DWORD dwForegroundThread = pCalls->windowThread(pvForeground);
    DWORD dwThread = pCalls->currentThread();
    // Our own window in front: our own state is the user's (and a thread
    // cannot attach to itself).
    if (0 == dwForegroundThread || dwThread == dwForegroundThread) {
        return pCalls->capsLockToggled();
    }
    if (TRUE == pCalls->attachingResetsKeyState() ||
        TRUE == pCalls->isHungAppWindow(pvForeground) ||
        TRUE != pCalls->attachThreadInput(dwThread, dwForegroundThread, TRUE)) {
        return pCalls->capsLockToggled();
    }
    BOOL fToggled = pCalls->capsLockToggled();
    pCalls->attachThreadInput(dwThread, dwForegroundThread, FALSE);
    return fToggled;
}
