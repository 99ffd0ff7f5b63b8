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

// Wide text in the code page uCodePage; pszDefault (NULL: the system's)
// stands for characters it lacks.
static std::string NarrowTo(UINT uCodePage, const WCHAR* pszText, const char* pszDefault)
{
    int cb = WideCharToMultiByte(uCodePage, 0, pszText, -1, NULL, 0, pszDefault, NULL);
    if (cb <= 1) {
        return std::string();
    }
    std::string strNarrow((size_t)cb, '\0');
    WideCharToMultiByte(uCodePage, 0, pszText, -1, &strNarrow[0], cb, pszDefault, NULL);
    strNarrow.resize((size_t)cb - 1);
    return strNarrow;
}

std::string NarrowAnsi(const WCHAR* pszText, char chReplacement)
{
    char szDefault[2] = { chReplacement, '\0' };
    return NarrowTo(CP_ACP, pszText, szDefault);
}

std::string NarrowUtf8(const WCHAR* pszText)
{
    // UTF-8 takes no replacement character: every character has its bytes.
    return NarrowTo(CP_UTF8, pszText, NULL);
}

FILE* OpenFileWide(const WCHAR* pszPath, const WCHAR* pszMode)
{
    return _wfopen(pszPath, pszMode);
}
