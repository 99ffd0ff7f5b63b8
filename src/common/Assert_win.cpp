#include "common/Assert.h"

#include <windows.h>
#include <stdio.h>

static const char* BaseName(const char* pszPath)
{
    const char* pszBase = pszPath;
    for (const char* p = pszPath; *p; p++) {
        if ('/' == *p || '\\' == *p) {
            pszBase = p + 1;
        }
    }
    return pszBase;
}

void FatalAssert(const char* pszExpression, const char* pszSourceFile, int nLine)
{
    if (NULL != pszExpression && NULL != pszSourceFile) {
        WCHAR szMessage[512];
        // %S in a wide format takes a narrow string in this printf family.
        _snwprintf(szMessage, 512, L"Assertion failed: %S (%S,%d)",
                   pszExpression, BaseName(pszSourceFile), nLine);
        szMessage[511] = L'\0';
        MessageBoxW(NULL, szMessage, L"Fatal Error", MB_ICONERROR);
    }
    TerminateProcess(GetCurrentProcess(), (UINT)-1);
    ExitProcess((UINT)-1);
}
