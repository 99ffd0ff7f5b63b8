#include "keyboard/TypeText.h"

#include "common/Assert.h"
#include "common/ScanText.h"
#include "keyboard/KeyTranslator.h"
#include "keyboard/VirtualKeys.h"

// Scan codes of the keys that typing presses by itself.
#define SCAN_CONTROL 0x1D
#define SCAN_ALT     0x38  // the left Alt and the right Alt of AltGr alike
#define SCAN_SHIFT   0x2A
#define SCAN_SPACE   0x39
#define SCAN_CAPITAL 0x3A

// The first code above the program's own key codes: from here on a code is a
// Latin-1 character, which is also its Unicode code point.
#define FIRST_LATIN1_CODE 0xBD

namespace {

// Codes that stand for characters, whose key strokes Caps Lock could change;
// control keys and the program's own key codes are the same either way.
BOOL IsCharacterCode(BYTE bCode)
{
    return ((BYTE)GS1_GS == bCode || (bCode >= 0x20 && bCode <= 0x7E) ||
            bCode >= FIRST_LATIN1_CODE)
               ? TRUE
               : FALSE;
}

// One text's typing: every event is followed by the pause.
class Typist
{
public:
    Typist(KeySink* pSink, DWORD nDelay)
        : m_pSink(pSink), m_nDelay(nDelay), m_fCapsLockChecked(FALSE), m_fCapsLockSwitchedOff(FALSE)
    {
    }

    // Key-down and key-up of one character, then one pause: an application
    // must not see the character as still held.
    void typeUnicode(BYTE bChar)
    {
        KeyInput input = { 0, bChar, KEYSINK_UNICODE };
        m_pSink->sendInput(input);
        input.dwFlags = KEYSINK_UNICODE | KEYSINK_KEYUP;
        m_pSink->sendInput(input);
        m_pSink->sleep(m_nDelay);
    }

    // Modifiers down, the key down and up, modifiers up in reverse order, and
    // Space after a dead key so that the accent itself is typed.
    void typeKey(const KeyTranslator& translator)
    {
        if (TRUE == translator.getAltGr()) {
            key(VK_CONTROL, SCAN_CONTROL, 0);
            key(VK_RMENU, SCAN_ALT, KEYSINK_EXTENDEDKEY);
        } else {
            if (TRUE == translator.getControl()) {
                key(VK_CONTROL, SCAN_CONTROL, 0);
            }
            if (TRUE == translator.getAlt()) {
                key(VK_MENU, SCAN_ALT, 0);
            }
        }
        if (TRUE == translator.getShift()) {
            key(VK_SHIFT, SCAN_SHIFT, 0);
        }

        DWORD dwExtended = (TRUE == translator.getExtended()) ? KEYSINK_EXTENDEDKEY : 0;
        key((BYTE)translator.getKeyCode(), (BYTE)translator.getScanCode(), dwExtended);
        key((BYTE)translator.getKeyCode(), (BYTE)translator.getScanCode(),
            dwExtended | KEYSINK_KEYUP);

        if (TRUE == translator.getShift()) {
            key(VK_SHIFT, SCAN_SHIFT, KEYSINK_KEYUP);
        }
        if (TRUE == translator.getAltGr()) {
            key(VK_RMENU, SCAN_ALT, KEYSINK_EXTENDEDKEY | KEYSINK_KEYUP);
            key(VK_CONTROL, SCAN_CONTROL, KEYSINK_KEYUP);
        } else {
            if (TRUE == translator.getAlt()) {
                key(VK_MENU, SCAN_ALT, KEYSINK_KEYUP);
            }
            if (TRUE == translator.getControl()) {
                key(VK_CONTROL, SCAN_CONTROL, KEYSINK_KEYUP);
            }
        }

        if (TRUE == translator.getDiacritic()) {
            key(VK_SPACE, SCAN_SPACE, 0);
            key(VK_SPACE, SCAN_SPACE, KEYSINK_KEYUP);
        }
    }

    // Before the first character key stroke: Caps Lock would invert letters
    // (and on some layouts digits and punctuation), so it goes off for the
    // rest of the text.
    void switchCapsLockOff()
    {
        if (TRUE == m_fCapsLockChecked) {
            return;
        }
        m_fCapsLockChecked = TRUE;
        if (TRUE == m_pSink->isCapsLockOn()) {
            pressCapsLock();
            m_fCapsLockSwitchedOff = TRUE;
        }
    }

    // The user finds Caps Lock as it was before the text.
    void restoreCapsLock()
    {
        if (TRUE == m_fCapsLockSwitchedOff) {
            pressCapsLock();
            m_fCapsLockSwitchedOff = FALSE;
        }
    }

private:
    void key(BYTE bVk, BYTE bScan, DWORD dwFlags)
    {
        m_pSink->keybdEvent(bVk, bScan, dwFlags);
        m_pSink->sleep(m_nDelay);
    }

    void pressCapsLock()
    {
        key(VK_CAPITAL, SCAN_CAPITAL, 0);
        key(VK_CAPITAL, SCAN_CAPITAL, KEYSINK_KEYUP);
    }

    KeySink* m_pSink;
    DWORD m_nDelay;
    BOOL m_fCapsLockChecked;
    BOOL m_fCapsLockSwitchedOff;
};

}  // namespace

void TypeText(const char* psz, DWORD nDelay, BOOL fUnicode)
{
    TypeText(GetPlatformKeySink(), psz, nDelay, fUnicode);
}

void TypeText(KeySink* pSink, const char* psz, DWORD nDelay, BOOL fUnicode)
{
    FATAL_ASSERT(NULL != psz);
    FATAL_ASSERT(NULL != pSink);
    if ('\0' == *psz) {
        return;
    }
    if (nDelay > MAX_INTER_KEY_DELAY) {
        nDelay = MAX_INTER_KEY_DELAY;
    }

    Typist typist(pSink, nDelay);
    pSink->beginTimerPeriod();
    for (const unsigned char* p = (const unsigned char*)psz; '\0' != *p; p++) {
        BYTE bCode = *p;
        if (TRUE == fUnicode && bCode >= 0x20 && bCode <= 0x7E) {
            typist.typeUnicode(bCode);
            continue;
        }
        KeyTranslator* pKeyTranslator = NULL;
        if (TRUE != GetKeyTranslator((char)bCode, &pKeyTranslator)) {
            if ('\n' == bCode) {
                pSink->sleep(LINE_FEED_PAUSE);
            } else if (TRUE == fUnicode && bCode >= FIRST_LATIN1_CODE) {
                typist.typeUnicode(bCode);
            }
            continue;
        }
        if (TRUE == IsCharacterCode(bCode)) {
            typist.switchCapsLockOff();
        }
        typist.typeKey(*pKeyTranslator);
    }
    typist.restoreCapsLock();
    pSink->endTimerPeriod();
}
