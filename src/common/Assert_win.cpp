#include "common/Assert.h"

#include <windows.h>
#include <stdio.h>

#include "common/MessageTexts.h"

void FatalAssert(const char* pszExpression, const char* pszSourceFile, int nLine)
{
    if (NULL != pszExpression && NULL != pszSourceFile) {
        WCHAR szMessage[512];
        _snwprintf(szMessage, ARRAYSIZE(szMessage), TVX_ASSERTION_FORMAT, pszExpression,
                   SourceFileName(pszSourceFile), nLine);
        szMessage[ARRAYSIZE(szMessage) - 1] = L'\0';
        MessageBoxW(NULL, szMessage, TVX_FATAL_ERROR_CAPTION, MB_ICONERROR);
    }
    TerminateProcess(GetCurrentProcess(), (UINT)-1);
    ExitProcess((UINT)-1);
}
