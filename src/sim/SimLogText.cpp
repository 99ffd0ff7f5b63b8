#include "sim/SimLogText.h"

#include <stdio.h>

static void AppendUnit(std::string& strOut, unsigned int nUnit)
{
    char szEscape[8];
    if ('\\' == nUnit) {
        strOut += "\\\\";
    } else if (nUnit >= 0x20 && nUnit <= 0x7E && '"' != nUnit) {
        strOut += (char)nUnit;
    } else if (nUnit <= 0xFF) {
        snprintf(szEscape, sizeof(szEscape), "\\x%02x", nUnit);
        strOut += szEscape;
    } else {
        snprintf(szEscape, sizeof(szEscape), "\\u%04x", nUnit);
        strOut += szEscape;
    }
}

std::string QuoteBytes(const char* pszText, size_t cchText)
{
    std::string strOut = "\"";
    for (size_t i = 0; i < cchText; i++) {
        AppendUnit(strOut, (unsigned char)pszText[i]);
    }
    strOut += '"';
    return strOut;
}

std::string QuoteUnits(const UTF16UNIT* pText, size_t cUnits)
{
    std::string strOut = "\"";
    for (size_t i = 0; i < cUnits; i++) {
        AppendUnit(strOut, pText[i]);
    }
    strOut += '"';
    return strOut;
}

std::string QuoteWide(const WCHAR* pszText)
{
    if (NULL == pszText) {
        return "null";
    }
    std::string strOut = "\"";
    for (const WCHAR* p = pszText; *p; p++) {
        // Natively a wide character may lie above the UTF-16 range; the log
        // is written on Windows, where it never does.
        AppendUnit(strOut, (unsigned int)*p & 0xFFFF);
    }
    strOut += '"';
    return strOut;
}
