// Key translators: how one 8-bit character code is typed (virtual key, scan
// code, modifiers, dead key, extended key), the map of all 256 of them for the
// configured layout, and the main window's keyboard set-up.
#pragma once

#include <string>
#include <unordered_map>

#include "common/Types.h"
#include "keyboard/KeyLayouts.h"

class KeyTranslator
{
public:
    // Each value goes through its setter in this order; a refused value is a
    // fatal assertion.
    KeyTranslator(int nASCII, int nKeyCode, BOOL fValid, BOOL fCapsDependent, BOOL fControl,
                  BOOL fAlt, BOOL fAltGr, BOOL fShift, BOOL fDiacritic, BOOL fExtended,
                  int nScanCode);
    virtual ~KeyTranslator();

    KeyTranslator(const KeyTranslator&) = delete;
    KeyTranslator& operator=(const KeyTranslator&) = delete;

    // Codes outside 0..255 are refused with FALSE; flags are always stored.
    BOOL setASCII(int nASCII);
    BOOL setKeyCode(int nKeyCode);
    BOOL setScanCode(int nScanCode);
    BOOL setValid(BOOL fValid);
    BOOL setCapsDependent(BOOL fCapsDependent);
    BOOL setControl(BOOL fControl);
    BOOL setAlt(BOOL fAlt);
    BOOL setAltGr(BOOL fAltGr);
    BOOL setShift(BOOL fShift);
    BOOL setDiacritic(BOOL fDiacritic);
    BOOL setExtended(BOOL fExtended);

    int getASCII() const { return m_nASCII; }
    int getKeyCode() const { return m_nKeyCode; }
    // The scan code of the key on the translator's layout; 0 where it has none.
    int getScanCode() const { return m_nScanCode; }
    BOOL getValid() const { return m_fValid; }
    BOOL getControl() const { return m_fControl; }
    BOOL getAlt() const { return m_fAlt; }
    BOOL getAltGr() const { return m_fAltGr; }
    BOOL getShift() const { return m_fShift; }
    BOOL getDiacritic() const { return m_fDiacritic; }
    BOOL getExtended() const { return m_fExtended; }

private:
    int m_nASCII;
    int m_nKeyCode;
    BOOL m_fValid;
    BOOL m_fCapsDependent;
    BOOL m_fControl;
    BOOL m_fAlt;
    BOOL m_fAltGr;
    BOOL m_fShift;
    BOOL m_fDiacritic;
    BOOL m_fExtended;
    int m_nScanCode;
};

// The translators of one layout keyed by the decimal text of their code ("0"
// to "255"). The map owns its translators: removing a key destroys its
// translator.
class KeyTranslatorMap
{
public:
    // Builds the 256 translators of layout nLayout (see KeyLayouts.h).
    explicit KeyTranslatorMap(int nLayout);
    ~KeyTranslatorMap();

    KeyTranslatorMap(const KeyTranslatorMap&) = delete;
    KeyTranslatorMap& operator=(const KeyTranslatorMap&) = delete;

    // Stores the pair and takes ownership; FALSE (nothing stored, nothing
    // destroyed) when the key is already present.
    BOOL Add(const WCHAR* key, KeyTranslator* pKeyTranslator);
    // Removes the key and destroys its translator; FALSE when it is absent.
    BOOL RemoveKey(const WCHAR* pszKey);
    BOOL RemoveKey(const std::wstring& strKey) { return RemoveKey(strKey.c_str()); }
    // TRUE and the translator when the key is present.
    BOOL Lookup(const WCHAR* key, KeyTranslator*& rValue) const;
    // Empties the map, destroying every translator.
    void RemoveAllTranslators();

    int GetCount() const { return (int)m_map.size(); }
    int GetLayout() const { return m_nLayout; }

private:
    BOOL LoadLayout();

    std::unordered_map<std::wstring, KeyTranslator*> m_map;
    int m_nLayout;
};

// The key of a character code (0..255) in the map: its decimal text without
// leading zeros, in a buffer of KEY_TEXT_SIZE characters.
#define KEY_TEXT_SIZE 4
void FormatKeyText(int nCode, WCHAR szKey[KEY_TEXT_SIZE]);

// The host's map: built when its main window is created, NULL before and after.
extern KeyTranslatorMap* gpKeyTranslatorMap;

// The layout (LAYOUT_US, ...) of a "KeyboardLayout" value: "US", "Swedish",
// "Belgian" or "Finnish" (the Swedish table) in any case; -1 for any other
// value or null.
int FindLayout(const WCHAR* pszName);
// The name of that layout as written in the list ("Finnish" for "FINNISH"),
// or null for any other value.
const WCHAR* FindLayoutName(const WCHAR* pszName);
// Builds gpKeyTranslatorMap for the setting "KeyboardLayout" (FindLayout).
// Any other value: shows "Invalid setting: KeyboardLayout=<value>" in the
// error box, builds nothing and returns FALSE.
BOOL CreateKeyTranslatorMap();
// Destroys gpKeyTranslatorMap if there is one and sets it to NULL.
void DeleteKeyTranslatorMap();
// TVX_INVALID_SETTING_FORMAT, "Invalid setting: <name>=<value>", with the
// setting's current value in gpSettings (empty when it has none).
void FormatInvalidSetting(std::wstring& strMessage, const WCHAR* pszSettingsName);
// The translator of character ch (taken as 0..255) in *ppKeyTranslator; the
// result is its fValid.
BOOL GetKeyTranslator(char ch, KeyTranslator** ppKeyTranslator);

// "InterKeyDelay" as typing uses it (see ParseInterKeyDelay): 0 when absent.
DWORD GetInterKeyDelay();
// FALSE when "RDPMode" is "TRUE" in any case: every character then goes as key
// strokes; TRUE otherwise.
BOOL GetUnicodeTyping();
// The C library's unsigned conversion of a delay text (leading white space,
// one sign, digits up to the first non-digit; a minus sign negates modulo
// 2^32; overflow gives the largest 32-bit value), bounded to
// MAX_INTER_KEY_DELAY so that no value stalls typing. NULL gives 0.
DWORD ParseInterKeyDelay(const WCHAR* pszValue);

// The longest pause after a key event, in milliseconds.
#define MAX_INTER_KEY_DELAY 1000
