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

// One text's typing: every event the system takes is followed by the pause.
// Once the system refuses an event, nothing more of the text is sent.
class Typist
{
public:
    Typist(KeySink* pSink, DWORD nDelay)
        : m_pSink(pSink), m_leftDown(pSink->getKeysLeftDown()), m_nDelay(nDelay),
          m_fRefused(FALSE), m_fCapsLockChecked(FALSE), m_fCapsLockSwitchedOff(FALSE)
    {
    }

    BOOL isRefused() const { return m_fRefused; }

    // What an earlier text could not put back comes first: its keys are
    // released and Caps Lock switched on again, or this text is refused too.
    void settleLeftOvers()
    {
        if (TRUE != releaseKeysDown() || TRUE != payCapsLock(&m_leftDown.fCapsLockOwed)) {
            m_fRefused = TRUE;
        }
    }

    // Key-down and key-up of one character, then one pause: an application
    // must not see the character as still held.
    void typeUnicode(BYTE bChar)
    {
        FATAL_ASSERT(TRUE != m_fRefused);
        if (TRUE == send(0, bChar, KEYSINK_UNICODE) &&
            TRUE == send(0, bChar, KEYSINK_UNICODE | KEYSINK_KEYUP)) {
            m_pSink->sleep(m_nDelay);
        } else {
            m_fRefused = TRUE;
        }
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
        key((WORD)translator.getKeyCode(), (WORD)translator.getScanCode(), dwExtended);
        key((WORD)translator.getKeyCode(), (WORD)translator.getScanCode(), dwExtended | KEYSINK_KEYUP);

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
        FATAL_ASSERT(TRUE != m_fRefused);
        if (TRUE == m_fCapsLockChecked) {
            return;
        }
        m_fCapsLockChecked = TRUE;
        if (TRUE == m_pSink->isCapsLockOn()) {
            BOOL fToggled = FALSE;
            if (TRUE != pressCapsLock(&fToggled)) {
                m_fRefused = TRUE;
            }
            m_fCapsLockSwitchedOff = fToggled;
        }
    }

    // The end of the text: the user finds Caps Lock as it was. After a
    // refusal every key still down is released first (the modifiers and the
    // key of the character cut short), and whatever the system refuses of
    // this is left with the sink for the next text. TRUE when the whole text
    // went through.
    BOOL finish()
    {
        if (TRUE != m_fRefused && TRUE != payCapsLock(&m_fCapsLockSwitchedOff)) {
            m_fRefused = TRUE;
        }
        if (TRUE == m_fRefused) {
            releaseKeysDown();
            // Also after the try above was refused: one refused event must not leave Caps Lock off.
            payCapsLock(&m_fCapsLockSwitchedOff);
            if (TRUE == m_fCapsLockSwitchedOff) {
                m_leftDown.fCapsLockOwed = TRUE;
            }
        }
        FATAL_ASSERT(TRUE == m_fRefused || m_leftDown.keys.empty());
        return (TRUE == m_fRefused) ? FALSE : TRUE;
    }

private:
    // One key event of the text and its pause, unless the text has been
    // refused already.
    void key(WORD wVk, WORD wScan, DWORD dwFlags)
    {
        if (TRUE != m_fRefused && TRUE != sendPaused(wVk, wScan, dwFlags)) {
            m_fRefused = TRUE;
        }
    }

    // One event whatever came before: a key the system takes goes on the
    // list of keys down, or off it with its release. FALSE when the system
    // refused it.
    BOOL send(WORD wVk, WORD wScan, DWORD dwFlags)
    {
        KeyInput input = { wVk, wScan, dwFlags };
        if (TRUE != m_pSink->sendInput(input)) {
            return FALSE;
        }
        std::vector<KeyInput>& keys = m_leftDown.keys;
        if (0 == (dwFlags & KEYSINK_KEYUP)) {
            keys.push_back(input);
            return TRUE;
        }
        for (size_t i = keys.size(); i > 0; i--) {
            const KeyInput& down = keys[i - 1];
            if (down.wVk == wVk && down.wScan == wScan &&
                down.dwFlags == (dwFlags & ~(DWORD)KEYSINK_KEYUP)) {
                keys.erase(keys.begin() + (ptrdiff_t)(i - 1));
                break;
            }
        }
        return TRUE;
    }

    // send, and the pause after an event the system took.
    BOOL sendPaused(WORD wVk, WORD wScan, DWORD dwFlags)
    {
        if (TRUE != send(wVk, wScan, dwFlags)) {
            return FALSE;
        }
        m_pSink->sleep(m_nDelay);
        return TRUE;
    }

    // Releases every key on the list, the latest first; a release the system
    // refuses leaves its key there. TRUE when none was refused.
    BOOL releaseKeysDown()
    {
        std::vector<KeyInput> keys = m_leftDown.keys;
        BOOL fAll = TRUE;
        for (size_t i = keys.size(); i > 0; i--) {
            const KeyInput& down = keys[i - 1];
            if (TRUE != sendPaused(down.wVk, down.wScan, down.dwFlags | KEYSINK_KEYUP)) {
                fAll = FALSE;
            }
        }
        return fAll;
    }

    // Caps Lock down and up. *pfToggled: the key-down got through, which is
    // what toggles it. TRUE when both got through.
    BOOL pressCapsLock(BOOL* pfToggled)
    {
        *pfToggled = sendPaused(VK_CAPITAL, SCAN_CAPITAL, 0);
        return (TRUE == *pfToggled && TRUE == sendPaused(VK_CAPITAL, SCAN_CAPITAL, KEYSINK_KEYUP))
                   ? TRUE
                   : FALSE;
    }

    // Presses Caps Lock if *pfOwed (an earlier text's debt, or this text's
    // switching it off), and clears the debt once the key-down got through.
    // TRUE when nothing was owed or the press went through whole.
    BOOL payCapsLock(BOOL* pfOwed)
    {
        if (TRUE != *pfOwed) {
            return TRUE;
        }
        BOOL fToggled = FALSE;
        BOOL fDone = pressCapsLock(&fToggled);
        if (TRUE == fToggled) {
            *pfOwed = FALSE;
        }
        return fDone;
    }

    KeySink* m_pSink;
    KeysLeftDown& m_leftDown;
    DWORD m_nDelay;
    BOOL m_fRefused;
    BOOL m_fCapsLockChecked;
    BOOL m_fCapsLockSwitchedOff;
};

}  // namespace

BOOL TypeText(const char* psz, DWORD nDelay, BOOL fUnicode)
{
    return TypeText(GetPlatformKeySink(), psz, nDelay, fUnicode);
}

BOOL TypeText(KeySink* pSink, const char* psz, DWORD nDelay, BOOL fUnicode)
{
    FATAL_ASSERT(NULL != psz);
    FATAL_ASSERT(NULL != pSink);
    if ('\0' == *psz) {
        return TRUE;
    }
    if (nDelay > MAX_INTER_KEY_DELAY) {
        nDelay = MAX_INTER_KEY_DELAY;
    }

    Typist typist(pSink, nDelay);
    pSink->beginTimerPeriod();
    typist.settleLeftOvers();
    for (const unsigned char* p = (const unsigned char*)psz;
         '\0' != *p && TRUE != typist.isRefused(); p++) {
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
    BOOL fTyped = typist.finish();
    pSink->endTimerPeriod();
    if (TRUE != fTyped) {
        // Once per text, however many of its events were refused.
        pSink->errorSound();
    }
    return fTyped;
}
