#include "common/MyString.h"

#include <string.h>
#include <wchar.h>

#include <new>

#include "common/Assert.h"

void CopyString(WCHAR** ppszTarget, const WCHAR* pszSource)
{
    FATAL_ASSERT(NULL != pszSource);
    size_t cch = wcslen(pszSource) + 1;
    WCHAR* pszCopy = new (std::nothrow) WCHAR[cch];
    FATAL_ASSERT(NULL != pszCopy);
    memcpy(pszCopy, pszSource, cch * sizeof(WCHAR));
    *ppszTarget = pszCopy;
}

void FreeString(WCHAR** ppszString)
{
    if (NULL != *ppszString) {
        delete[] *ppszString;
        *ppszString = NULL;
    }
}

void StripLineEnd(char* pszText)
{
    size_t cch = strlen(pszText);
    while (cch > 0 && ('\r' == pszText[cch - 1] || '\n' == pszText[cch - 1])) {
        pszText[--cch] = '\0';
    }
}

static bool IsBlank(WCHAR ch)
{
    return L' ' == ch || L'\t' == ch;
}

void TrimBlanks(std::wstring& strText)
{
    size_t iFirst = 0;
    while (iFirst < strText.size() && IsBlank(strText[iFirst])) {
        iFirst++;
    }
    size_t iEnd = strText.size();
    while (iEnd > iFirst && IsBlank(strText[iEnd - 1])) {
        iEnd--;
    }
    strText = strText.substr(iFirst, iEnd - iFirst);
}

std::wstring ExtractToken(std::wstring& strSource, WCHAR chSeparator)
{
    std::wstring strToken;
    bool fInQuotes = false;
    size_t i = 0;
    while (i < strSource.size()) {
        WCHAR ch = strSource[i];
        if (L'"' == ch) {
            if (!fInQuotes) {
                fInQuotes = true;
            } else if (i + 1 < strSource.size() && L'"' == strSource[i + 1]) {
                strToken += L'"';
                i++;
            } else {
                fInQuotes = false;
            }
        } else if (ch == chSeparator && !fInQuotes) {
            strSource.erase(0, i + 1);
            return strToken;
        } else {
            strToken += ch;
        }
        i++;
    }
    strSource.clear();
    return strToken;
}

const char* ExtractTokenA(const char* pszText, char chSeparator, char* pszOutput, size_t cbOutput)
{
    FATAL_ASSERT(NULL != pszText);
    FATAL_ASSERT(NULL != pszOutput && cbOutput > 0);
    if ('\0' == *pszText) {
        *pszOutput = '\0';
        return NULL;
    }
    size_t cchOut = 0;
    bool fInQuotes = false;
    const char* p = pszText;
    while ('\0' != *p) {
        char ch = *p;
        if ('"' == ch && !fInQuotes) {
            fInQuotes = true;
            p++;
            continue;
        }
        if ('"' == ch && fInQuotes && '"' != p[1]) {
            fInQuotes = false;
            p++;
            continue;
        }
        if (ch == chSeparator && !fInQuotes) {
            pszOutput[cchOut] = '\0';
            return p + 1;
        }
        if (cchOut + 1 >= cbOutput) {
            // Output full: skip to the next separator, quotes no longer count.
            pszOutput[cchOut] = '\0';
            while ('\0' != *p && chSeparator != *p) {
                p++;
            }
            return '\0' == *p ? p : p + 1;
        }
        pszOutput[cchOut++] = ch;
        // A doubled quote inside quotes stands for one.
        p += ('"' == ch) ? 2 : 1;
    }
    pszOutput[cchOut] = '\0';
    return p;
}

std::wstring FormatText(const WCHAR* pszFormat, std::initializer_list<const WCHAR*> texts)
{
    FATAL_ASSERT(NULL != pszFormat);
    std::wstring strText;
    const WCHAR* const* ppszNext = texts.begin();
    for (const WCHAR* p = pszFormat; L'\0' != *p; p++) {
        if (L'%' == p[0] && L's' == p[1]) {
            FATAL_ASSERT(texts.end() != ppszNext && NULL != *ppszNext);
            strText += *ppszNext++;
            p++;
        } else {
            strText += *p;
        }
    }
    FATAL_ASSERT(texts.end() == ppszNext);
    return strText;
}

static WCHAR FoldAscii(WCHAR ch)
{
    return (ch >= L'a' && ch <= L'z') ? (WCHAR)(ch - L'a' + L'A') : ch;
}

BOOL EqualsNoCase(const WCHAR* pszA, const WCHAR* pszB)
{
    for (; FoldAscii(*pszA) == FoldAscii(*pszB); pszA++, pszB++) {
        if (L'\0' == *pszA) {
            return TRUE;
        }
    }
    return FALSE;
}

int HexDigitValue(unsigned nChar)
{
    if (nChar >= '0' && nChar <= '9') {
        return (int)(nChar - '0');
    }
    if (nChar >= 'a' && nChar <= 'f') {
        return (int)(nChar - 'a') + 10;
    }
    if (nChar >= 'A' && nChar <= 'F') {
        return (int)(nChar - 'A') + 10;
    }
    return -1;
}

void RemoveFileName(WCHAR* pszPath)
{
    WCHAR* pszLast = wcsrchr(pszPath, L'\\');
    if (NULL != pszLast) {
        *pszLast = L'\0';
    }
}

uint64_t ParseUnsignedSetting(const WCHAR* pszValue)
{
    if (NULL == pszValue) {
        return 0;
    }
    while (L' ' == *pszValue || L'\t' == *pszValue) {
        pszValue++;
    }
    uint64_t nValue = 0;
    for (; *pszValue >= L'0' && *pszValue <= L'9'; pszValue++) {
        unsigned nDigit = (unsigned)(*pszValue - L'0');
        if (nValue > (UINT64_MAX - nDigit) / 10) {
            return UINT64_MAX;
        }
        nValue = nValue * 10 + nDigit;
    }
    return nValue;
}

BOOL IsSettingTrue(const WCHAR* pszValue)
{
    return (NULL != pszValue && TRUE == EqualsNoCase(pszValue, L"TRUE")) ? TRUE : FALSE;
}
