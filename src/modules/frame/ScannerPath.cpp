#include "modules/frame/ScannerPath.h"

#include <wchar.h>

#include <string>

#include "common/Folders.h"

BOOL FormatInstallPath(WCHAR* pszPath, size_t cchPath, const WCHAR* pszFile)
{
    if (0 == cchPath) {
        return FALSE;
    }
    // A module's paths are Windows paths on every build, as the installation
    // folder is (SetFolders).
    std::wstring strPath = JoinPath(GetInstallFolder(), pszFile, L'\\');
    if (strPath.size() >= cchPath) {
        pszPath[0] = L'\0';
        return FALSE;
    }
    wmemcpy(pszPath, strPath.c_str(), strPath.size() + 1);
    return TRUE;
}
