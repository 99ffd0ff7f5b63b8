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

FILE* OpenFileWide(const WCHAR* pszPath, const WCHAR* pszMode)
{
    // Native builds serve tests and tools; their paths are UTF-8.
    std::string strPath, strMode;
    for (; *pszPath; pszPath++) {
        unsigned long ch = (unsigned long)*pszPath;
        if (ch < 0x80) {
            strPath += (char)ch;
        } else if (ch < 0x800) {
            strPath += (char)(0xC0 | (ch >> 6));
            strPath += (char)(0x80 | (ch & 0x3F));
        } else if (ch < 0x10000) {
            strPath += (char)(0xE0 | (ch >> 12));
            strPath += (char)(0x80 | ((ch >> 6) & 0x3F));
            strPath += (char)(0x80 | (ch & 0x3F));
        } else {
            strPath += (char)(0xF0 | (ch >> 18));
            strPath += (char)(0x80 | ((ch >> 12) & 0x3F));
            strPath += (char)(0x80 | ((ch >> 6) & 0x3F));
            strPath += (char)(0x80 | (ch & 0x3F));
        }
    }
    for (; *pszMode; pszMode++) {
        strMode += (char)*pszMode;
    }
    return fopen(strPath.c_str(), strMode.c_str());
}
