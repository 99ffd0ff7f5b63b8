#include "keyboard/KeyTranslator.h"

#include <new>

#include "common/Assert.h"

void FormatKeyText(int nCode, WCHAR szKey[KEY_TEXT_SIZE])
{
    FATAL_ASSERT(nCode >= 0 && nCode < LAYOUT_CODES);
    WCHAR szDigits[KEY_TEXT_SIZE];
    int nDigits = 0;
    do {
        szDigits[nDigits++] = (WCHAR)(L'0' + nCode % 10);
        nCode /= 10;
    } while (nCode > 0);
    for (int i = 0; i < nDigits; i++) {
        szKey[i] = szDigits[nDigits - 1 - i];
    }
    szKey[nDigits] = L'\0';
}

KeyTranslator::KeyTranslator(int nASCII, int nKeyCode, BOOL fValid, BOOL fCapsDependent,
                             BOOL fControl, BOOL fAlt, BOOL fAltGr, BOOL fShift, BOOL fDiacritic,
                             BOOL fExtended, int nScanCode)
    : m_nASCII(0), m_nKeyCode(0), m_fValid(FALSE), m_fCapsDependent(FALSE), m_fControl(FALSE),
      m_fAlt(FALSE), m_fAltGr(FALSE), m_fShift(FALSE), m_fDiacritic(FALSE), m_fExtended(FALSE),
      m_nScanCode(0)
{
    FATAL_ASSERT(TRUE == setASCII( nASCII ));
    FATAL_ASSERT(TRUE == setKeyCode( nKeyCode ));
    FATAL_ASSERT(TRUE == setValid( fValid ));
    FATAL_ASSERT(TRUE == setCapsDependent( fCapsDependent ));
    FATAL_ASSERT(TRUE == setControl( fControl ));
    FATAL_ASSERT(TRUE == setAlt( fAlt ));
    FATAL_ASSERT(TRUE == setAltGr( fAltGr ));
    FATAL_ASSERT(TRUE == setShift( fShift ));
    FATAL_ASSERT(TRUE == setDiacritic( fDiacritic ));
    FATAL_ASSERT(TRUE == setExtended( fExtended ));
    FATAL_ASSERT(TRUE == setScanCode( nScanCode ));
}

KeyTranslator::~KeyTranslator()
{
}

BOOL KeyTranslator::setASCII(int nASCII)
{
    if (nASCII < 0 || nASCII > 255) {
        return FALSE;
    }
    m_nASCII = nASCII;
    return TRUE;
}

BOOL KeyTranslator::setKeyCode(int nKeyCode)
{
    if (nKeyCode < 0 || nKeyCode > 255) {
        return FALSE;
    }
    m_nKeyCode = nKeyCode;
    return TRUE;
}

BOOL KeyTranslator::setScanCode(int nScanCode)
{
    if (nScanCode < 0 || nScanCode > 255) {
        return FALSE;
    }
    m_nScanCode = nScanCode;
    return TRUE;
}

BOOL KeyTranslator::setValid(BOOL fValid)
{
    m_fValid = fValid;
    return TRUE;
}

BOOL KeyTranslator::setCapsDependent(BOOL fCapsDependent)
{
    m_fCapsDependent = fCapsDependent;
    return TRUE;
}

BOOL KeyTranslator::setControl(BOOL fControl)
{
    m_fControl = fControl;
    return TRUE;
}

BOOL KeyTranslator::setAlt(BOOL fAlt)
{
    m_fAlt = fAlt;
    return TRUE;
}

BOOL KeyTranslator::setAltGr(BOOL fAltGr)
{
    m_fAltGr = fAltGr;
    return TRUE;
}

BOOL KeyTranslator::setShift(BOOL fShift)
{
    m_fShift = fShift;
    return TRUE;
}

BOOL KeyTranslator::setDiacritic(BOOL fDiacritic)
{
    m_fDiacritic = fDiacritic;
    return TRUE;
}

BOOL KeyTranslator::setExtended(BOOL fExtended)
{
    m_fExtended = fExtended;
    return TRUE;
}

KeyTranslatorMap::KeyTranslatorMap(int nLayout)
    : m_nLayout(nLayout)
{
    LoadLayout();
}

KeyTranslatorMap::~KeyTranslatorMap()
{
    RemoveAllTranslators();
}

BOOL KeyTranslatorMap::Add(const WCHAR* key, KeyTranslator* pKeyTranslator)
{
    FATAL_ASSERT(NULL != key);
    FATAL_ASSERT(NULL != pKeyTranslator);
    return m_map.emplace(key, pKeyTranslator).second ? TRUE : FALSE;
}

BOOL KeyTranslatorMap::RemoveKey(const WCHAR* pszKey)
{
    FATAL_ASSERT(NULL != pszKey);
    auto it = m_map.find(pszKey);
    if (m_map.end() == it) {
        return FALSE;
    }
    KeyTranslator* pKeyTranslator = it->second;
    FATAL_ASSERT(NULL != pKeyTranslator);
    m_map.erase(it);
    delete pKeyTranslator;
    return TRUE;
}

BOOL KeyTranslatorMap::Lookup(const WCHAR* key, KeyTranslator*& rValue) const
{
    auto it = m_map.find(key);
    if (m_map.end() == it) {
        return FALSE;
    }
    rValue = it->second;
    return TRUE;
}

void KeyTranslatorMap::RemoveAllTranslators()
{
    while (!m_map.empty()) {
        auto it = m_map.begin();
        std::wstring strKey = it->first;
        KeyTranslator* pKeyTranslator = it->second;
        FATAL_ASSERT(NULL != pKeyTranslator);
        FATAL_ASSERT(TRUE == RemoveKey( strKey ));
    }
}

BOOL KeyTranslatorMap::LoadLayout()
{
    RemoveAllTranslators();
    for (int i = 0; i < LAYOUT_CODES; i++) {
        const BYTE* pRow = GetLayoutRow(m_nLayout, i);
        BYTE bFlags = pRow[2];
        KeyTranslator* pKeyTranslator = new (std::nothrow) KeyTranslator(
            i, pRow[0],
            (bFlags & LF_VALID) ? TRUE : FALSE,
            (bFlags & LF_CAPS) ? TRUE : FALSE,
            (bFlags & LF_CONTROL) ? TRUE : FALSE,
            (bFlags & LF_ALT) ? TRUE : FALSE,
            (bFlags & LF_ALTGR) ? TRUE : FALSE,
            (bFlags & LF_SHIFT) ? TRUE : FALSE,
            (bFlags & LF_DEAD) ? TRUE : FALSE,
            (bFlags & LF_EXTENDED) ? TRUE : FALSE,
            GetLayoutScanCode(m_nLayout, pRow[0]));
        FATAL_ASSERT(NULL != pKeyTranslator);
        WCHAR szKey[KEY_TEXT_SIZE];
        FormatKeyText(pKeyTranslator->getASCII(), szKey);
        FATAL_ASSERT(TRUE == Add( szKey, pKeyTranslator ));
    }
    return TRUE;
}
