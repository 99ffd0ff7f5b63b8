#include "common/Folders.h"

#include <string>

#include "common/Registry.h"

BOOL FindInstallFolder(HINSTANCE hInstance)
{
    WCHAR szProgramPath[TVX_MAX_PATH];
    DWORD cch = GetModuleFileNameW(hInstance, szProgramPath, TVX_MAX_PATH);
    if (0 == cch || cch >= TVX_MAX_PATH) {
        return FALSE;
    }

    std::wstring strFolder;
    Registry registry;
    BOOL fHaveFolder = registry.Open(TVX_REGISTRY_KEY, KEY_READ) &&
                       registry.ReadString(TVX_REGISTRY_FOLDER_VALUE, strFolder);
    registry.Close();
    return SetFolders(szProgramPath, fHaveFolder ? strFolder.c_str() : NULL);
}
