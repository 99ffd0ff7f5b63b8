#include "common/Assert.h"

#include <stdio.h>
#include <stdlib.h>

// Native builds have no message box: the same text goes to standard error and
// the process ends with the low byte of -1 as its status.
void FatalAssert(const char* pszExpression, const char* pszSourceFile, int nLine)
{
    if (NULL != pszExpression && NULL != pszSourceFile) {
        const char* pszBase = pszSourceFile;
        for (const char* p = pszSourceFile; *p; p++) {
            if ('/' == *p || '\\' == *p) {
                pszBase = p + 1;
            }
        }
        fprintf(stderr, "Assertion failed: %s (%s,%d)\n", pszExpression, pszBase, nLine);
        fflush(stderr);
    }
    _Exit(-1);
}
