#include "common/Escapes.h"

#include <stdio.h>
#include <string.h>

#include "common/MyString.h"

// The length of the UTF-8 sequence at i and its code point, or 0 when the
// bytes there are not a valid, shortest-form sequence.
static size_t ReadUtf8(const std::string& strBytes, size_t i, uint32_t* pnCodePoint)
{
    unsigned char b = (unsigned char)strBytes[i];
    size_t cb;
    uint32_t nCodePoint;
    uint32_t nLowest;
    if (b >= 0xC2 && b <= 0xDF) {
        cb = 2; nCodePoint = b & 0x1F; nLowest = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        cb = 3; nCodePoint = b & 0x0F; nLowest = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        cb = 4; nCodePoint = b & 0x07; nLowest = 0x10000;
    } else {
        return 0;
    }
    if (i + cb > strBytes.size()) {
        return 0;
    }
    for (size_t k = 1; k < cb; k++) {
        unsigned char bNext = (unsigned char)strBytes[i + k];
        if (0x80 != (bNext & 0xC0)) {
            return 0;
        }
        nCodePoint = (nCodePoint << 6) | (bNext & 0x3F);
    }
    if (nCodePoint < nLowest || nCodePoint > 0x10FFFF
        || (nCodePoint >= 0xD800 && nCodePoint <= 0xDFFF)) {
        return 0;
    }
    *pnCodePoint = nCodePoint;
    return cb;
}

std::vector<UTF16UNIT> DecodeUtf8(const std::string& strBytes)
{
    std::vector<UTF16UNIT> rgUnits;
    size_t i = 0;
    while (i < strBytes.size()) {
        unsigned char b = (unsigned char)strBytes[i];
        uint32_t nCodePoint = 0;
        size_t cb = (b < 0x80) ? 0 : ReadUtf8(strBytes, i, &nCodePoint);
        if (0 == cb) {
            rgUnits.push_back(b);
            i++;
        } else if (nCodePoint < 0x10000) {
            rgUnits.push_back((UTF16UNIT)nCodePoint);
            i += cb;
        } else {
            nCodePoint -= 0x10000;
            rgUnits.push_back((UTF16UNIT)(0xD800 + (nCodePoint >> 10)));
            rgUnits.push_back((UTF16UNIT)(0xDC00 + (nCodePoint & 0x3FF)));
            i += cb;
        }
    }
    return rgUnits;
}

BOOL Unescape(const std::vector<UTF16UNIT>& rgInput, std::vector<UTF16UNIT>* prgOutput,
              std::string* pstrError)
{
    prgOutput->clear();
    for (size_t i = 0; i < rgInput.size(); i++) {
        if ('\\' != rgInput[i]) {
            prgOutput->push_back(rgInput[i]);
            continue;
        }
        if (i + 1 >= rgInput.size()) {
            *pstrError = "a backslash ends the text (write \\\\ for a backslash)";
            return FALSE;
        }
        UTF16UNIT nEscape = rgInput[++i];
        switch (nEscape) {
        case 't':  prgOutput->push_back('\t'); break;
        case 'r':  prgOutput->push_back('\r'); break;
        case 'n':  prgOutput->push_back('\n'); break;
        case '\\': prgOutput->push_back('\\'); break;
        case 'x': {
            int nHigh = (i + 1 < rgInput.size()) ? HexDigitValue(rgInput[i + 1]) : -1;
            int nLow = (i + 2 < rgInput.size()) ? HexDigitValue(rgInput[i + 2]) : -1;
            if (nHigh < 0 || nLow < 0) {
                *pstrError = "\\x must be followed by two hexadecimal digits";
                return FALSE;
            }
            prgOutput->push_back((UTF16UNIT)(nHigh * 16 + nLow));
            i += 2;
            break;
        }
        default: {
            char szError[64];
            if (nEscape >= 0x20 && nEscape <= 0x7E) {
                snprintf(szError, sizeof(szError), "unknown escape \\%c", (char)nEscape);
            } else {
                snprintf(szError, sizeof(szError), "unknown escape \\ followed by U+%04X",
                         (unsigned)nEscape);
            }
            *pstrError = szError;
            return FALSE;
        }
        }
    }
    return TRUE;
}

std::string EscapeText(const char* pszText)
{
    return EscapeBytes(pszText, strlen(pszText));
}

std::string EscapeBytes(const char* pbText, size_t cbText)
{
    static const char szHex[] = "0123456789abcdef";
    std::string strOut;
    const unsigned char* pbEnd = (const unsigned char*)pbText + cbText;
    for (const unsigned char* p = (const unsigned char*)pbText; p < pbEnd; p++) {
        if ('\\' == *p) {
            strOut += "\\\\";
        } else if (*p >= 0x20 && *p <= 0x7E) {
            strOut += (char)*p;
        } else {
            strOut += "\\x";
            strOut += szHex[*p >> 4];
            strOut += szHex[*p & 0x0F];
        }
    }
    return strOut;
}

std::string JsonString(const char* pszText)
{
    static const char szHex[] = "0123456789abcdef";
    std::string strOut = "\"";
    for (const unsigned char* p = (const unsigned char*)pszText; *p; p++) {
        if ('"' == *p || '\\' == *p) {
            strOut += '\\';
            strOut += (char)*p;
        } else if (*p >= 0x20 && *p <= 0x7E) {
            strOut += (char)*p;
        } else {
            strOut += "\\u00";
            strOut += szHex[*p >> 4];
            strOut += szHex[*p & 0x0F];
        }
    }
    strOut += '"';
    return strOut;
}
