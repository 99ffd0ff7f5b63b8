#include <windows.h>
#include <mmsystem.h>

#include "keyboard/CapsLock.h"
#include "keyboard/TypeText.h"

static_assert(KEYSINK_EXTENDEDKEY == KEYEVENTF_EXTENDEDKEY, "extended-key flag");
static_assert(KEYSINK_KEYUP == KEYEVENTF_KEYUP, "key-up flag");
static_assert(KEYSINK_UNICODE == KEYEVENTF_UNICODE, "Unicode flag");

namespace {

// The calls that read Caps Lock through the foreground window's thread.
class Win32CapsLockCalls : public CapsLockCalls
{
public:
    void* foregroundWindow() override { return GetForegroundWindow(); }

    DWORD windowThread(void* pvWnd) override
    {
        return GetWindowThreadProcessId((HWND)pvWnd, NULL);
    }

    BOOL isHungAppWindow(void* pvWnd) override
    {
        return IsHungAppWindow((HWND)pvWnd) ? TRUE : FALSE;
    }

    DWORD currentThread() override { return GetCurrentThreadId(); }

    BOOL attachingResetsKeyState() override
    {
        // Wine's own export; Windows has no such function.
        static const BOOL s_fWine =
            (NULL != GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version")) ? TRUE
                                                                                         : FALSE;
        return s_fWine;
    }

    BOOL attachThreadInput(DWORD dwThread, DWORD dwToThread, BOOL fAttach) override
    {
        return AttachThreadInput(dwThread, dwToThread, fAttach) ? TRUE : FALSE;
    }

    BOOL capsLockToggled() override { return (GetKeyState(VK_CAPITAL) & 1) ? TRUE : FALSE; }
};

// The real calls, one record per SendInput.
class Win32KeySink : public KeySink
{
public:
    BOOL sendInput(const KeyInput& input) override
    {
        INPUT record;
        ZeroMemory(&record, sizeof(record));
        record.type = INPUT_KEYBOARD;
        record.ki.wVk = input.wVk;
        record.ki.wScan = input.wScan;
        record.ki.dwFlags = input.dwFlags;
        // The number of records inserted: 0 when the system refused it.
        return (1 == SendInput(1, &record, sizeof(INPUT))) ? TRUE : FALSE;
    }

    void sleep(DWORD nMilliseconds) override { Sleep(nMilliseconds); }

    BOOL isCapsLockOn() override
    {
        Win32CapsLockCalls calls;
        return ReadCapsLock(&calls);
    }

    void beginTimerPeriod() override { timeBeginPeriod(1); }

    void endTimerPeriod() override { timeEndPeriod(1); }

    void errorSound() override { MessageBeep(MB_ICONHAND); }
};

}  // namespace

KeySink* GetPlatformKeySink()
{
    static Win32KeySink s_sink;
    return &s_sink;
}
