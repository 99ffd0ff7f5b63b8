// Reading Caps Lock for a host that runs in the background.
//
// GetKeyState reports the key state as the calling thread last read it from
// its own message queue, and the host's thread never receives keyboard input:
// its reading of Caps Lock may be stale, and typing would then switch Caps Lock
// on for the user or type inverted letters. No documented call returns the
// system-wide toggle; the documented way is to attach for a moment to the
// input of the foreground window's thread (AttachThreadInput), whose state is
// the one the user sees, read GetKeyState there and detach. Attaching can
// fail (an elevated foreground window refuses it), and a hung thread must
// never be attached to (our thread would then wait on its input); in those
// cases, and without a foreground window, the reading falls back to our own
// thread's GetKeyState. So it does under Wine, which keeps every thread's own
// view of the toggles current but resets the key state of attached threads to
// all keys up and untoggled: attaching there would read Caps Lock off and
// switch it off for the foreground application.
#pragma once

#include "common/Types.h"

// The Win32 calls of the reading, one method per call.
class CapsLockCalls
{
public:
    virtual ~CapsLockCalls() {}

    // GetForegroundWindow; NULL when no window has the foreground.
    virtual void* foregroundWindow() = 0;
    // GetWindowThreadProcessId: the thread of the window; 0 when it is gone.
    virtual DWORD windowThread(void* pvWnd) = 0;
    // IsHungAppWindow.
    virtual BOOL isHungAppWindow(void* pvWnd) = 0;
    // GetCurrentThreadId.
    virtual DWORD currentThread() = 0;
    // TRUE where attaching resets the key state (under Wine).
    virtual BOOL attachingResetsKeyState() = 0;
    // AttachThreadInput(dwThread, dwToThread, fAttach); TRUE when it succeeded.
    virtual BOOL attachThreadInput(DWORD dwThread, DWORD dwToThread, BOOL fAttach) = 0;
    // GetKeyState(VK_CAPITAL): TRUE when toggled on, as the calling thread's
    // input sees it.
    virtual BOOL capsLockToggled() = 0;
};

// Caps Lock as the foreground window's thread sees it, or as this thread
// sees it where that cannot be read (see above).
BOOL ReadCapsLock(CapsLockCalls* pCalls);
