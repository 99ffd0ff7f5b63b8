#include "support/ModuleInstallation.h"

ModuleInstallation::ModuleInstallation(const WCHAR* pszProgram, const WCHAR* const* rgpszLibraries)
    : m_fReady(FALSE)
{
    if (m_folder.GetPath().empty()) {
        return;
    }
    m_strProgram = m_folder.GetFilePath(pszProgram);
    if (!CopyFileW(GetTestProgramPath(pszProgram).c_str(), m_strProgram.c_str(), FALSE)) {
        return;
    }
    for (const WCHAR* const* ppszLibrary = rgpszLibraries; NULL != *ppszLibrary; ppszLibrary++) {
        if (!CopyFileW(GetTestProgramPath(*ppszLibrary).c_str(), m_folder.GetFilePath(*ppszLibrary).c_str(),
                       FALSE)) {
            return;
        }
    }
    m_fReady = TRUE;
}

BOOL ModuleInstallation::WriteFile(const WCHAR* pszName, const char* pszBytes)
{
    std::wstring strPath = m_folder.GetFilePath(pszName);
    if (NULL == pszBytes) {
        return DeleteFileW(strPath.c_str()) || ERROR_FILE_NOT_FOUND == GetLastError() ? TRUE : FALSE;
    }
    return WriteTextFile(strPath, pszBytes);
}

BOOL ModuleInstallation::Start(TestProcess& process, HWND hWndReceiver, const WCHAR* pszCurrentFolder) const
{
    if (TRUE != m_fReady) {
        return FALSE;
    }
    WCHAR szHandle[16];
    _snwprintf(szHandle, 16, L"%08x", (unsigned)(DWORD)(UINT_PTR)hWndReceiver);
    szHandle[15] = L'\0';
    return process.Start(m_strProgram.c_str(), szHandle, pszCurrentFolder);
}
