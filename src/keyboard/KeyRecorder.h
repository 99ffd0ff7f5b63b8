// A KeySink that records the calls instead of making them, and the one-line
// text of each recorded event as tests and the script checker print it.
#pragma once

#include <string>
#include <vector>

#include "common/Types.h"
#include "keyboard/TypeText.h"

enum KeyEventKind
{
    KEYEVENT_UNICODE_DOWN,
    KEYEVENT_UNICODE_UP,
    KEYEVENT_KEY_DOWN,
    KEYEVENT_KEY_UP,
    KEYEVENT_PAUSE,
    KEYEVENT_TIMER_BEGIN,  // timeBeginPeriod(1)
    KEYEVENT_TIMER_END,    // timeEndPeriod(1)
    KEYEVENT_ERROR_SOUND,  // MessageBeep(MB_ICONHAND)
};

struct KeyEvent
{
    KeyEventKind nKind;
    WORD wCode;            // the character (Unicode) or the virtual key
    WORD wScan;            // key events: the scan code
    BOOL fExtended;        // key events: sent as an extended key
    DWORD nMilliseconds;   // pauses
};

class RecordingKeySink : public KeySink
{
public:
    RecordingKeySink();

    BOOL sendInput(const KeyInput& input) override;
    void sleep(DWORD nMilliseconds) override;
    BOOL isCapsLockOn() override { return m_fCapsLock; }
    void beginTimerPeriod() override;
    void endTimerPeriod() override;
    void errorSound() override;

    // Caps Lock as a keyboard keeps it: set here, and toggled by every
    // recorded Caps Lock key-down.
    void setCapsLock(BOOL fCapsLock) { m_fCapsLock = fCapsLock; }
    // Plays a system that refuses input for a while: counting the records
    // sent from now on from 0, records nFirst to nFirst + nCount - 1 are
    // refused and not recorded; the others are taken.
    void refuseInputs(size_t nFirst, size_t nCount);
    // The events the system took, in order.
    const std::vector<KeyEvent>& getEvents() const { return m_events; }
    void clear() { m_events.clear(); }

private:
    void recordKey(WORD wVk, WORD wScan, DWORD dwFlags);

    std::vector<KeyEvent> m_events;
    BOOL m_fCapsLock;
    size_t m_nInputs;
    size_t m_nFirstRefused;
    size_t m_nRefused;
};

// One recorded event as a line without line end, hexadecimal in upper case:
// "unicode-down 0041", "unicode-up 0041", "key-down 10 2A", "key-up A5 38 ext",
// "pause 1", "error-sound". The timer-resolution calls are not key events and
// give an empty text (nothing to print).
std::string FormatKeyEvent(const KeyEvent& event);
