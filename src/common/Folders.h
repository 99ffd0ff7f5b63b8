// The program folder and the installation folder, filled once at start-up.
#pragma once

#include <string>

#include "common/Types.h"

// The registry key whose value "Folder" names the installation folder.
#define TVX_REGISTRY_KEY L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Morvandel\\Morvandel Tolvex"
#define TVX_REGISTRY_FOLDER_VALUE L"Folder"

#ifdef _WIN32
#include <windows.h>
// Fills both buffers from the program's file name and the registry. FALSE only
// when the program's own file name cannot be obtained.
BOOL FindInstallFolder(HINSTANCE hInstance);
#endif

const WCHAR* GetInstallFolder();
const WCHAR* GetProgramFolder();

// The separator that joins a folder and a file name where files are opened:
// natively, where tests and tools open files, the platform's own.
#ifdef _WIN32
#define TVX_PATH_SEPARATOR L'\\'
#else
#define TVX_PATH_SEPARATOR L'/'
#endif

// Names the file pszFile in the folder pszFolder: the folder, chSeparator and
// the file name (on Windows the form "%s\%s").
std::wstring JoinPath(const WCHAR* pszFolder, const WCHAR* pszFile,
                      WCHAR chSeparator = TVX_PATH_SEPARATOR);

// The platform-free half of FindInstallFolder: the program folder is the
// program's path without its file name; the installation folder is the
// registry's "Folder" text without one trailing backslash when there is one
// (pszRegistryFolder may be null), else the program folder. A text that does
// not fit the 260-character buffers is refused: FALSE, buffers unchanged for
// the program path; the program folder kept for an overlong "Folder".
BOOL SetFolders(const WCHAR* pszProgramPath, const WCHAR* pszRegistryFolder);
