// Typing: 8-bit text becomes synthetic key events, through the layout of
// gpKeyTranslatorMap. Every platform effect goes through a KeySink: the real
// one makes the Win32 calls, a recording one (KeyRecorder.h) keeps the
// sequence for tests and tools.
#pragma once

#include <vector>

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

// What typing left pressed on a keyboard because the system refused to take
// the releases, and whether Caps Lock still has to be switched back on. The
// next text typed through the same sink begins by putting both right.
struct KeysLeftDown
{
    std::vector<KeyInput> keys;  // key-down records, oldest first
    BOOL fCapsLockOwed;
};

// The platform calls that typing makes, one method per call, and what typing
// left behind on the keyboard they reach (one keyboard, one record).
class KeySink
{
public:
    KeySink() { m_leftDown.fCapsLockOwed = FALSE; }
    virtual ~KeySink() {}

    // SendInput with this one keyboard record: TRUE when the system took it,
    // FALSE when it refused it (another desktop is active: a UAC prompt, the
    // lock screen).
    virtual BOOL sendInput(const KeyInput& input) = 0;
    // Sleep.
    virtual void sleep(DWORD nMilliseconds) = 0;
    // Whether Caps Lock is toggled on.
    virtual BOOL isCapsLockOn() = 0;
    // timeBeginPeriod(1) and timeEndPeriod(1): the system timer runs at 1 ms
    // between the two calls, so that a pause of 1 ms lasts 1 ms.
    virtual void beginTimerPeriod() = 0;
    virtual void endTimerPeriod() = 0;
    // MessageBeep(MB_ICONHAND), the system's error sound.
    virtual void errorSound() = 0;

    KeysLeftDown& getKeysLeftDown() { return m_leftDown; }

private:
    KeysLeftDown m_leftDown;
};

// The process's own sink: the Win32 calls on Windows, a recorder natively.
KeySink* GetPlatformKeySink();

// Types psz (NUL-terminated; each byte a character code 0..255) into the
// focused window through the platform sink, with a pause of nDelay
// milliseconds (at most MAX_INTER_KEY_DELAY) after every event. With
// fUnicode TRUE, printable ASCII (0x20..0x7E), and codes from 0xBD up that the
// layout has no key for, go as Unicode characters; everything else goes as key
// strokes through the layout. Needs gpKeyTranslatorMap.
//
// TRUE when the text was typed whole. At the first event the system refuses,
// typing stops: the keys the text holds down are released and Caps Lock is
// switched back on if the text switched it off, the error sound plays once
// and the result is FALSE. What the system refuses of that clean-up is kept
// with the sink and done first by the next text, which is itself refused if
// the system still refuses it.
BOOL TypeText(const char* psz, DWORD nDelay, BOOL fUnicode);
// The same through pSink.
BOOL TypeText(KeySink* pSink, const char* psz, DWORD nDelay, BOOL fUnicode);
