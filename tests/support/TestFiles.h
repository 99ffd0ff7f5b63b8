// Temporary folders and files for tests.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// A fresh, uniquely named folder under the system's temporary folder,
// removed with everything in it when the object goes. GetPath() is empty
// when the folder could not be made.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();

    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder, without a trailing backslash.
    const std::wstring& GetPath() const { return m_strPath; }
    // GetPath() + "\" + pszFileName.
    std::wstring GetFilePath(const WCHAR* pszFileName) const;

private:
    std::wstring m_strPath;
};

// Removes a folder and everything in it; TRUE when it is gone.
BOOL RemoveFolderTree(const std::wstring& strPath);

// Writes strBytes to the file exactly as given (no line-end or code-page
// translation), replacing an existing file. TRUE when every byte was written.
BOOL WriteTextFile(const std::wstring& strPath, const std::string& strBytes);

// Reads the whole file into *pstrData as it is, also while another process
// writes it, and also a file that reports no size (under /proc). FALSE when
// it cannot be opened.
BOOL ReadWholeFile(const std::wstring& strPath, std::string* pstrData);

// The complete lines of a text, each ended by a line feed, without their line
// ends (LF or CR LF). A last line without its line feed is left out: a
// program may still be writing it.
std::vector<std::string> SplitLines(const std::string& strText);
