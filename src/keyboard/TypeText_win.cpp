#include <windows.h>
#include <mmsystem.h>

#include "keyboard/TypeText.h"

static_assert(KEYSINK_EXTENDEDKEY == KEYEVENTF_EXTENDEDKEY, "extended-key flag");
static_assert(KEYSINK_KEYUP == KEYEVENTF_KEYUP, "key-up flag");
static_assert(KEYSINK_UNICODE == KEYEVENTF_UNICODE, "Unicode flag");

namespace {

// The real calls, one record per SendInput; results are not examined, as
// nothing can be done about input that the system refuses.
class Win32KeySink : public KeySink
{
public:
    void sendInput(const KeyInput& input) override
    {
        INPUT record;
        ZeroMemory(&record, sizeof(record));
        record.type = INPUT_KEYBOARD;
        record.ki.wVk = input.wVk;
        record.ki.wScan = input.wScan;
        record.ki.dwFlags = input.dwFlags;
        SendInput(1, &record, sizeof(INPUT));
    }

    void keybdEvent(BYTE bVk, BYTE bScan, DWORD dwFlags) override
    {
        keybd_event(bVk, bScan, dwFlags, 0);
    }

    void sleep(DWORD nMilliseconds) override { Sleep(nMilliseconds); }

    BOOL isCapsLockOn() override { return (GetKeyState(VK_CAPITAL) & 1) ? TRUE : FALSE; }

    void beginTimerPeriod() override { timeBeginPeriod(1); }

    void endTimerPeriod() override { timeEndPeriod(1); }
};

}  // namespace

KeySink* GetPlatformKeySink()
{
    static Win32KeySink s_sink;
    return &s_sink;
}
