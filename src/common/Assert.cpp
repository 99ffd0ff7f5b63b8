#include "common/Assert.h"

const char* SourceFileName(const char* pszPath)
{
    const char* pszName = pszPath;
    for (const char* p = pszPath; *p; p++) {
        if ('/' == *p || '\\' == *p) {
            pszName = p + 1;
        }
    }
    return pszName;
}
