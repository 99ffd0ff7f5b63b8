#include "common/AnsiText.h"

std::wstring WidenAnsi(const char* pszText)
{
    std::wstring strWide;
    for (const unsigned char* p = (const unsigned char*)pszText; *p; p++) {
        strWide += (WCHAR)*p;
    }
    return strWide;
}

std::string NarrowAnsi(const WCHAR* pszText, char chReplacement)
{
    std::string strNarrow;
    for (; *pszText; pszText++) {
        strNarrow += (*pszText <= 0xFF) ? (char)*pszText : chReplacement;
    }
    return strNarrow;
}

std::string NarrowUtf8(const WCHAR* pszText)
{
    std::string strText;
    for (; *pszText; pszText++) {
        unsigned long ch = (unsigned long)*pszText;
        if (ch < 0x80) {
            strText += (char)ch;
        } else if (ch < 0x800) {
            strText += (char)(0xC0 | (ch >> 6));
            strText += (char)(0x80 | (ch & 0x3F));
        } else if (ch < 0x10000) {
            strText += (char)(0xE0 | (ch >> 12));
            strText += (char)(0x80 | ((ch >> 6) & 0x3F));
            strText += (char)(0x80 | (ch & 0x3F));
        } else {
            strText += (char)(0xF0 | (ch >> 18));
            strText += (char)(0x80 | ((ch >> 12) & 0x3F));
            strText += (char)(0x80 | ((ch >> 6) & 0x3F));
            strText += (char)(0x80 | (ch & 0x3F));
        }
    }
    return strText;
}

FILE* OpenFileWide(const WCHAR* pszPath, const WCHAR* pszMode)
{
    // Native builds serve tests and tools; their paths are UTF-8.
    return fopen(NarrowUtf8(pszPath).c_str(), NarrowUtf8(pszMode).c_str());
}
