#include "support/TestInstallation.h"

TestInstallation::TestInstallation(const WCHAR* const* rgpszFiles)
    : m_fReady(m_folder.GetPath().empty() ? FALSE : TRUE)
{
    for (const WCHAR* const* ppszFile = rgpszFiles; NULL != ppszFile && NULL != *ppszFile; ppszFile++) {
        CopyFromBuild(*ppszFile, *ppszFile);
    }
}

BOOL TestInstallation::CopyFromBuild(const WCHAR* pszFrom, const WCHAR* pszTo)
{
    if (TRUE != m_fReady ||
        !CopyFileW(GetTestProgramPath(pszFrom).c_str(), GetFilePath(pszTo).c_str(), FALSE)) {
        m_fReady = FALSE;
    }
    return m_fReady;
}

BOOL TestInstallation::WriteFile(const WCHAR* pszName, const char* pszBytes)
{
    std::wstring strPath = GetFilePath(pszName);
    if (NULL == pszBytes) {
        return DeleteFileW(strPath.c_str()) || ERROR_FILE_NOT_FOUND == GetLastError() ? TRUE : FALSE;
    }
    std::wstring strTemp = GetFilePath(L"~writing");
    return WriteTextFile(strTemp, pszBytes) &&
                   MoveFileExW(strTemp.c_str(), strPath.c_str(), MOVEFILE_REPLACE_EXISTING)
               ? TRUE
               : FALSE;
}

std::vector<std::string> TestInstallation::ReadLines(const WCHAR* pszName) const
{
    std::string strData;
    return ReadWholeFile(GetFilePath(pszName), &strData) ? SplitLines(strData)
                                                         : std::vector<std::string>();
}

BOOL TestInstallation::Start(TestProcess& process, const WCHAR* pszProgram, const WCHAR* pszArguments,
                             const WCHAR* pszCurrentFolder) const
{
    return process.Start(GetFilePath(pszProgram).c_str(), pszArguments,
                         NULL != pszCurrentFolder ? pszCurrentFolder : GetFolder().c_str());
}

BOOL TestInstallation::StartModule(TestProcess& process, const WCHAR* pszProgram, HWND hWndReceiver,
                                   const WCHAR* pszCurrentFolder) const
{
    if (TRUE != m_fReady) {
        return FALSE;
    }
    return StartModuleProcess(process, GetFilePath(pszProgram).c_str(), hWndReceiver, pszCurrentFolder);
}
