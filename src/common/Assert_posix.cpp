#include "common/Assert.h"

#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

#include <string>

#include "common/AnsiText.h"
#include "common/MessageTexts.h"

// Native builds have no message box: the same text goes to standard error and
// the process ends with the low byte of -1 as its status.
void FatalAssert(const char* pszExpression, const char* pszSourceFile, int nLine)
{
    if (NULL != pszExpression && NULL != pszSourceFile) {
        // Here %S in a wide format takes wide text: the 8-bit texts are widened first.
        std::wstring strExpression = WidenAnsi(pszExpression);
        std::wstring strName = WidenAnsi(SourceFileName(pszSourceFile));
        WCHAR szMessage[512];
        swprintf(szMessage, sizeof(szMessage) / sizeof(szMessage[0]), TVX_ASSERTION_FORMAT,
                 strExpression.c_str(), strName.c_str(), nLine);
        fprintf(stderr, "%ls\n", szMessage);
        fflush(stderr);
    }
    _Exit(-1);
}
