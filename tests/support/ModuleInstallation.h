// A throw-away installation of one input module: a temporary folder holding
// the module program and the libraries it loads, copied from the test
// program folder. The module finds its installation folder there (its own
// folder, when the registry names none), so that files such as its settings
// file or its sound belong to the test alone.
#pragma once

#include <windows.h>

#include <string>

#include "support/TestFiles.h"
#include "support/TestProcess.h"

class ModuleInstallation
{
public:
    // Copies pszProgram and each library of the NULL-terminated list.
    ModuleInstallation(const WCHAR* pszProgram, const WCHAR* const* rgpszLibraries);

    ModuleInstallation(const ModuleInstallation&) = delete;
    ModuleInstallation& operator=(const ModuleInstallation&) = delete;

    // TRUE when the folder was made and every file copied.
    BOOL IsReady() const { return m_fReady; }
    const std::wstring& GetFolder() const { return m_folder.GetPath(); }
    std::wstring GetFilePath(const WCHAR* pszName) const { return m_folder.GetFilePath(pszName); }

    // Creates or replaces a file of the installation; NULL removes it.
    BOOL WriteFile(const WCHAR* pszName, const char* pszBytes);

    // Starts the module as the host does: the command line "\"<path>\" %08x"
    // with the receiver's handle, in pszCurrentFolder (NULL: ours).
    BOOL Start(TestProcess& process, HWND hWndReceiver, const WCHAR* pszCurrentFolder) const;

private:
    TempFolder m_folder;
    std::wstring m_strProgram;
    BOOL m_fReady;
};
