#include <new>

#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "common/Settings.h"
#include "keyboard/KeyTranslator.h"

KeyTranslatorMap* gpKeyTranslatorMap = NULL;

static BOOL IsWhiteSpace(WCHAR ch)
{
    return L' ' == ch || (ch >= L'\t' && ch <= L'\r');
}

// The names "KeyboardLayout" takes and their tables. Windows' Finnish layout
// is the Swedish one key for key: Finland and Sweden share one keyboard.
static const NamedValue<int> grgLayouts[] = {
    { L"US", LAYOUT_US },
    { L"Swedish", LAYOUT_SWEDISH },
    { L"Belgian", LAYOUT_BELGIAN },
    { L"Finnish", LAYOUT_SWEDISH },
};

int FindLayout(const WCHAR* pszName)
{
    return FindNamedValue(grgLayouts, pszName, -1);
}

const WCHAR* FindLayoutName(const WCHAR* pszName)
{
    const NamedValue<int>* pEntry = FindNamedEntry(grgLayouts, pszName);
    return (NULL != pEntry) ? pEntry->pszName : NULL;
}

BOOL CreateKeyTranslatorMap()
{
    FATAL_ASSERT(NULL == gpKeyTranslatorMap);
    FATAL_ASSERT(NULL != gpSettings);

    int nLayout = FindLayout(gpSettings->Get(L"KeyboardLayout"));
    if (nLayout < 0) {
        std::wstring strMessage;
        FormatInvalidSetting(strMessage, L"KeyboardLayout");
        ShowError(strMessage.c_str());
        return FALSE;
    }

    gpKeyTranslatorMap = new (std::nothrow) KeyTranslatorMap(nLayout);
    FATAL_ASSERT(NULL != gpKeyTranslatorMap);
    return TRUE;
}

void DeleteKeyTranslatorMap()
{
    if (NULL != gpKeyTranslatorMap) {
        delete gpKeyTranslatorMap;
        gpKeyTranslatorMap = NULL;
    }
}

void FormatInvalidSetting(std::wstring& strMessage, const WCHAR* pszSettingsName)
{
    FATAL_ASSERT(NULL != pszSettingsName);
    FATAL_ASSERT(NULL != gpSettings);
    const WCHAR* pszValue = gpSettings->Get(pszSettingsName);
    strMessage = FormatText(TVX_INVALID_SETTING_FORMAT,
                            { pszSettingsName, (NULL != pszValue) ? pszValue : L"" });
}

BOOL GetKeyTranslator(char ch, KeyTranslator** ppKeyTranslator)
{
    FATAL_ASSERT(NULL != gpKeyTranslatorMap);
    FATAL_ASSERT(NULL != ppKeyTranslator);
    WCHAR szKey[KEY_TEXT_SIZE];
    FormatKeyText((unsigned char)ch, szKey);

    KeyTranslator* pKeyTranslator = NULL;
    gpKeyTranslatorMap->Lookup(szKey, pKeyTranslator);
    FATAL_ASSERT(NULL != pKeyTranslator);
    *ppKeyTranslator = pKeyTranslator;
    return pKeyTranslator->getValid();
}

DWORD ParseInterKeyDelay(const WCHAR* pszValue)
{
    if (NULL == pszValue) {
        return 0;
    }
    while (IsWhiteSpace(*pszValue)) {
        pszValue++;
    }
    BOOL fNegative = FALSE;
    if (L'+' == *pszValue || L'-' == *pszValue) {
        fNegative = (L'-' == *pszValue) ? TRUE : FALSE;
        pszValue++;
    }
    const uint64_t nLargest = 0xFFFFFFFFu;
    uint64_t nValue = 0;
    for (; *pszValue >= L'0' && *pszValue <= L'9'; pszValue++) {
        nValue = nValue * 10 + (uint64_t)(*pszValue - L'0');
        if (nValue > nLargest) {
            nValue = nLargest;
            fNegative = FALSE;
            break;
        }
    }
    if (TRUE == fNegative) {
        nValue = (0x100000000u - nValue) & nLargest;
    }
    return nValue > MAX_INTER_KEY_DELAY ? MAX_INTER_KEY_DELAY : (DWORD)nValue;
}

DWORD GetInterKeyDelay()
{
    FATAL_ASSERT(NULL != gpSettings);
    return ParseInterKeyDelay(gpSettings->Get(L"InterKeyDelay"));
}

BOOL GetUnicodeTyping()
{
    FATAL_ASSERT(NULL != gpSettings);
    return (TRUE == IsSettingTrue(gpSettings->Get(L"RDPMode"))) ? FALSE : TRUE;
}
