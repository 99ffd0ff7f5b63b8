// Typing: 8-bit text becomes synthetic key events, through the layout of
// gpKeyTranslatorMap. Every platform effect goes through a KeySink: the real
// one makes the Win32 calls, a recording one (KeyRecorder.h) keeps the
// sequence for tests and tools.
#pragma once

#include "common/Types.h"

// Flags of a key event; the values are Windows' KEYEVENTF_ values.
#define KEYSINK_EXTENDEDKEY 0x0001
#define KEYSINK_KEYUP       0x0002
#define KEYSINK_UNICODE     0x0004

// The pause that a line feed in the text stands for, in milliseconds.
#define LINE_FEED_PAUSE 100

// The keyboard part of one INPUT record, as SendInput takes it.
struct KeyInput
{
    WORD wVk;
    WORD wScan;  // the character itself with KEYSINK_UNICODE
    DWORD dwFlags;
};

// The platform calls that typing makes, one method per call.
class KeySink
{
public:
    virtual ~KeySink() {}

    // SendInput with this one keyboard record.
    virtual void sendInput(const KeyInput& input) = 0;
    // keybd_event with these values and no extra information.
    virtual void keybdEvent(BYTE bVk, BYTE bScan, DWORD dwFlags) = 0;
    // Sleep.
    virtual void sleep(DWORD nMilliseconds) = 0;
    // Whether Caps Lock is toggled on.
    virtual BOOL isCapsLockOn() = 0;
    // timeBeginPeriod(1) and timeEndPeriod(1): the system timer runs at 1 ms
    // between the two calls, so that a pause of 1 ms lasts 1 ms.
    virtual void beginTimerPeriod() = 0;
    virtual void endTimerPeriod() = 0;
};

// The process's own sink: the Win32 calls on Windows, a recorder natively.
KeySink* GetPlatformKeySink();

// Types psz (NUL-terminated; each byte a character code 0..255) into the
// focused window through the platform sink, with a pause of nDelay
// milliseconds (at most MAX_INTER_KEY_DELAY) after every event. With
// fUnicode TRUE, printable ASCII (0x20..0x7E), and codes from 0xBD up that the
// layout has no key for, go as Unicode characters; everything else goes as key
// strokes through the layout. Needs gpKeyTranslatorMap.
void TypeText(const char* psz, DWORD nDelay, BOOL fUnicode);
// The same through pSink.
void TypeText(KeySink* pSink, const char* psz, DWORD nDelay, BOOL fUnicode);
