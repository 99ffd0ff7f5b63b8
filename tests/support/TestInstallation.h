// A throw-away installation for system tests: a temporary folder holding
// programs and libraries copied from the test program folder, and the files a
// test writes beside them. A program started from there finds its
// installation folder there (its own folder, when the registry names none),
// so that settings, scripts, sounds and logs belong to the test alone.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "support/TestProcess.h"

class TestInstallation
{
public:
    // Copies each file of the NULL-terminated list (NULL: none) from the test
    // program folder under its own name.
    explicit TestInstallation(const WCHAR* const* rgpszFiles = NULL);

    TestInstallation(const TestInstallation&) = delete;
    TestInstallation& operator=(const TestInstallation&) = delete;

    // TRUE when the folder was made and every copy into it succeeded.
    BOOL IsReady() const { return m_fReady; }
    const std::wstring& GetFolder() const { return m_folder.GetPath(); }
    std::wstring GetFilePath(const WCHAR* pszName) const { return m_folder.GetFilePath(pszName); }

    // Copies pszFrom of the test program folder into the installation as
    // pszTo; a failure also makes the installation not ready.
    BOOL CopyFromBuild(const WCHAR* pszFrom, const WCHAR* pszTo);
    // Creates or replaces a file of the installation; NULL removes it. The
    // bytes are written beside the final name and renamed, so that a program
    // polling for the file never reads half of it.
    BOOL WriteFile(const WCHAR* pszName, const char* pszBytes);
    // The complete lines of a file of the installation (SplitLines); none
    // when it cannot be read.
    std::vector<std::string> ReadLines(const WCHAR* pszName) const;

    // Starts the installation's program pszProgram with pszArguments (NULL:
    // none) in pszCurrentFolder (NULL: the installation folder).
    BOOL Start(TestProcess& process, const WCHAR* pszProgram, const WCHAR* pszArguments = NULL,
               const WCHAR* pszCurrentFolder = NULL) const;
    // Starts the installation's module pszProgram as the host does
    // (StartModuleProcess).
    BOOL StartModule(TestProcess& process, const WCHAR* pszProgram, HWND hWndReceiver,
                     const WCHAR* pszCurrentFolder) const;

private:
    TempFolder m_folder;
    BOOL m_fReady;
};
