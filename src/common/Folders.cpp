#include "common/Folders.h"

#include <wchar.h>

#include "common/MyString.h"

static WCHAR gszProgramFolder[TVX_MAX_PATH];
static WCHAR gszInstallFolder[TVX_MAX_PATH];

const WCHAR* GetInstallFolder()
{
    return gszInstallFolder;
}

const WCHAR* GetProgramFolder()
{
    return gszProgramFolder;
}

BOOL SetFolders(const WCHAR* pszProgramPath, const WCHAR* pszRegistryFolder)
{
    size_t cchProgram = wcslen(pszProgramPath);
    if (cchProgram >= TVX_MAX_PATH) {
        return FALSE;
    }
    wmemcpy(gszProgramFolder, pszProgramPath, cchProgram + 1);
    RemoveFileName(gszProgramFolder);
    wmemcpy(gszInstallFolder, gszProgramFolder, wcslen(gszProgramFolder) + 1);

    if (NULL != pszRegistryFolder) {
        size_t cchFolder = wcslen(pszRegistryFolder);
        if (cchFolder > 0 && L'\\' == pszRegistryFolder[cchFolder - 1]) {
            cchFolder--;
        }
        // An overlong value cannot be the folder; keep the program folder.
        if (cchFolder < TVX_MAX_PATH) {
            wmemcpy(gszInstallFolder, pszRegistryFolder, cchFolder);
            gszInstallFolder[cchFolder] = L'\0';
        }
    }
    return TRUE;
}

std::wstring JoinPath(const WCHAR* pszFolder, const WCHAR* pszFile, WCHAR chSeparator)
{
    std::wstring strPath = pszFolder;
    strPath += chSeparator;
    strPath += pszFile;
    return strPath;
}
