#include "host/ScanLog.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>

#include <vector>

#include "common/Folders.h"

LogTime GetLogTime()
{
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LogTime{ st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond,
                    st.wMilliseconds };
}

std::wstring GetScanLogFolder()
{
    std::wstring strFolder;
    WCHAR* pszLocalAppData = NULL;
    if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, NULL, &pszLocalAppData))) {
        strFolder = JoinPath(pszLocalAppData, SCAN_LOG_FOLDER_NAME);
    }
    // Freed whether the call succeeded or not.
    CoTaskMemFree(pszLocalAppData);
    return strFolder;
}

LogFile OpenLogFile(const std::wstring& strPath)
{
    // DELETE lets this handle rename the file; FILE_SHARE_DELETE lets other
    // hosts rename it while it is open here.
    HANDLE hFile = CreateFileW(strPath.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES | DELETE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    return (INVALID_HANDLE_VALUE == hFile) ? LOG_FILE_NONE : (LogFile)hFile;
}

BOOL CreateLogFolder(const std::wstring& strFolder)
{
    return (CreateDirectoryW(strFolder.c_str(), NULL) || ERROR_ALREADY_EXISTS == GetLastError())
               ? TRUE : FALSE;
}

uint64_t GetLogFileSize(LogFile hFile)
{
    LARGE_INTEGER liSize;
    return GetFileSizeEx((HANDLE)hFile, &liSize) ? (uint64_t)liSize.QuadPart : 0;
}

BOOL RenameLogFile(LogFile hFile, const std::wstring&, const std::wstring& strNewPath)
{
    // The rename goes through the handle, so that it renames the file this
    // host has open, never a newer one that another host has begun under the
    // same name meanwhile. The system takes the new name in its own form
    // ("\??\C:\..."); Wine 8 does too, also while another handle has the
    // file open with FILE_SHARE_DELETE.
    std::wstring strNtPath = (0 == strNewPath.compare(0, 2, L"\\\\"))
                                 ? L"\\??\\UNC\\" + strNewPath.substr(2)
                                 : L"\\??\\" + strNewPath;
    size_t cbName = strNtPath.size() * sizeof(WCHAR);
    std::vector<BYTE> rgbInfo(sizeof(FILE_RENAME_INFO) + cbName);
    FILE_RENAME_INFO* pInfo = reinterpret_cast<FILE_RENAME_INFO*>(rgbInfo.data());
    pInfo->ReplaceIfExists = TRUE;
    pInfo->RootDirectory = NULL;
    pInfo->FileNameLength = (DWORD)cbName;
    memcpy(pInfo->FileName, strNtPath.c_str(), cbName);
    return SetFileInformationByHandle((HANDLE)hFile, FileRenameInfo, pInfo, (DWORD)rgbInfo.size())
               ? TRUE : FALSE;
}

BOOL WriteLogFile(LogFile hFile, const std::string& strBytes)
{
    DWORD cbWritten = 0;
    return (WriteFile((HANDLE)hFile, strBytes.data(), (DWORD)strBytes.size(), &cbWritten, NULL) &&
            cbWritten == strBytes.size())
               ? TRUE : FALSE;
}

void CloseLogFile(LogFile hFile)
{
    CloseHandle((HANDLE)hFile);
}
