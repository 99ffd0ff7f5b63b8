#include "support/TestFiles.h"

#include <stdio.h>

TempFolder::TempFolder()
{
    WCHAR szTemp[MAX_PATH];
    DWORD cch = GetTempPathW(MAX_PATH, szTemp);
    if (0 == cch || cch >= MAX_PATH) {
        return;
    }
    // The process id and a counter keep concurrent test programs apart.
    static unsigned nCounter = 0;
    for (int nTry = 0; nTry < 100; nTry++) {
        WCHAR szName[64];
        _snwprintf(szName, 64, L"tvx%lx_%u", GetCurrentProcessId(), nCounter++);
        szName[63] = L'\0';
        std::wstring strPath = szTemp;
        if (!strPath.empty() && L'\\' == strPath.back()) {
            strPath.pop_back();
        }
        strPath += L"\\";
        strPath += szName;
        if (CreateDirectoryW(strPath.c_str(), NULL)) {
            m_strPath = strPath;
            return;
        }
        if (ERROR_ALREADY_EXISTS != GetLastError()) {
            return;
        }
    }
}

TempFolder::~TempFolder()
{
    if (!m_strPath.empty()) {
        RemoveFolderTree(m_strPath);
    }
}

std::wstring TempFolder::GetFilePath(const WCHAR* pszFileName) const
{
    return m_strPath + L"\\" + pszFileName;
}

BOOL RemoveFolderTree(const std::wstring& strPath)
{
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strPath + L"\\*").c_str(), &fd);
    if (INVALID_HANDLE_VALUE != hFind) {
        do {
            std::wstring strName = fd.cFileName;
            if (L"." == strName || L".." == strName) {
                continue;
            }
            std::wstring strChild = strPath + L"\\" + strName;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolderTree(strChild);
            } else {
                SetFileAttributesW(strChild.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(strChild.c_str());
            }
        } while (FindNextFileW(hFind, &fd));
        FindClose(hFind);
    }
    if (RemoveDirectoryW(strPath.c_str())) {
        return TRUE;
    }
    return INVALID_FILE_ATTRIBUTES == GetFileAttributesW(strPath.c_str()) ? TRUE : FALSE;
}

BOOL WriteTextFile(const std::wstring& strPath, const std::string& strBytes)
{
    FILE* pFile = _wfopen(strPath.c_str(), L"wb");
    if (NULL == pFile) {
        return FALSE;
    }
    size_t cbWritten = fwrite(strBytes.data(), 1, strBytes.size(), pFile);
    BOOL fClosed = 0 == fclose(pFile) ? TRUE : FALSE;
    return (fClosed && cbWritten == strBytes.size()) ? TRUE : FALSE;
}

BOOL ReadWholeFile(const std::wstring& strPath, std::string* pstrData)
{
    pstrData->clear();
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (INVALID_HANDLE_VALUE == hFile) {
        return FALSE;
    }
    char buffer[4096];
    DWORD cbRead = 0;
    while (ReadFile(hFile, buffer, sizeof(buffer), &cbRead, NULL) && cbRead > 0) {
        pstrData->append(buffer, cbRead);
    }
    CloseHandle(hFile);
    return TRUE;
}

std::vector<std::string> SplitLines(const std::string& strText)
{
    std::vector<std::string> lines;
    size_t nStart = 0;
    size_t nEnd;
    while (std::string::npos != (nEnd = strText.find('\n', nStart))) {
        size_t nLength = nEnd - nStart;
        if (nLength > 0 && '\r' == strText[nEnd - 1]) {
            nLength--;
        }
        lines.push_back(strText.substr(nStart, nLength));
        nStart = nEnd + 1;
    }
    return lines;
}
