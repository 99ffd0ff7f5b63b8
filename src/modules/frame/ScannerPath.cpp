#include "modules/frame/ScannerPath.h"

#include <wchar.h>

#include "common/Folders.h"

BOOL FormatInstallPath(WCHAR* pszPath, size_t cchPath, const WCHAR* pszFile)
{
    const WCHAR* pszFolder = GetInstallFolder();
    size_t cchFolder = wcslen(pszFolder);
    size_t cchFile = wcslen(pszFile);
    if (0 == cchPath) {
        return FALSE;
    }
    if (cchFolder + 1 + cchFile >= cchPath) {
        pszPath[0] = L'\0';
        return FALSE;
    }
    wmemcpy(pszPath, pszFolder, cchFolder);
    pszPath[cchFolder] = L'\\';
    wmemcpy(pszPath + cchFolder + 1, pszFile, cchFile + 1);
    return TRUE;
}
