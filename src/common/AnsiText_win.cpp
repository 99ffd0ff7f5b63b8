#include "common/AnsiText.h"

#include <windows.h>

std::wstring WidenAnsi(const char* pszText)
{
    int cch = MultiByteToWideChar(CP_ACP, 0, pszText, -1, NULL, 0);
    if (cch <= 1) {
        return std::wstring();
    }
    std::wstring strWide((size_t)cch, L'\0');
    MultiByteToWideChar(CP_ACP, 0, pszText, -1, &strWide[0], cch);
    strWide.resize((size_t)cch - 1);
    return strWide;
}

std::string NarrowAnsi(const WCHAR* pszText, char chReplacement)
{
    char szDefault[2] = { chReplacement, '\0' };
    int cb = WideCharToMultiByte(CP_ACP, 0, pszText, -1, NULL, 0, szDefault, NULL);
    if (cb <= 1) {
        return std::string();
    }
    std::string strNarrow((size_t)cb, '\0');
    WideCharToMultiByte(CP_ACP, 0, pszText, -1, &strNarrow[0], cb, szDefault, NULL);
    strNarrow.resize((size_t)cb - 1);
    return strNarrow;
}

FILE* OpenFileWide(const WCHAR* pszPath, const WCHAR* pszMode)
{
    return _wfopen(pszPath, pszMode);
}
