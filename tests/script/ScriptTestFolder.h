// A temporary installation folder for script tests, on both builds: holds a
// script.lua (and whatever else a test writes, the host's scan log too) and
// is removed afterwards.
#pragma once

#include <stdio.h>

#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "common/Folders.h"
#include "common/Types.h"

#ifdef _WIN32
#include "support/TestFiles.h"
#else
#include <stdlib.h>
#include <unistd.h>
#endif

class ScriptTestFolder
{
public:
    ScriptTestFolder()
    {
#ifdef _WIN32
        m_strPath = m_folder.GetPath();
#else
        char szTemplate[] = "/tmp/tvxscriptXXXXXX";
        if (NULL != mkdtemp(szTemplate)) {
            m_strPath = WidenAnsi(szTemplate);
        }
#endif
    }

    ~ScriptTestFolder()
    {
#ifndef _WIN32
        for (const std::wstring& strFile : m_rgFiles) {
            std::string strNative = NarrowAnsi(strFile.c_str(), '?');
            if (0 != unlink(strNative.c_str())) {
                rmdir(strNative.c_str());
            }
        }
        if (!m_strPath.empty()) {
            rmdir(NarrowAnsi(m_strPath.c_str(), '?').c_str());
        }
#endif
    }

    ScriptTestFolder(const ScriptTestFolder&) = delete;
    ScriptTestFolder& operator=(const ScriptTestFolder&) = delete;

    const std::wstring& GetPath() const { return m_strPath; }

    std::wstring GetFilePath(const WCHAR* pszName) const
    {
        return JoinPath(m_strPath.c_str(), pszName);
    }

    // Removes the file or empty folder pszName along with the folder (one the
    // test made otherwise), in the order adopted.
    void Adopt(const WCHAR* pszName) { m_rgFiles.push_back(GetFilePath(pszName)); }

    // Writes the bytes exactly as given; TRUE when all were written.
    bool Write(const WCHAR* pszName, const std::string& strBytes)
    {
        std::wstring strFile = GetFilePath(pszName);
        FILE* pFile = OpenFileWide(strFile.c_str(), L"wb");
        if (NULL == pFile) {
            return false;
        }
        m_rgFiles.push_back(strFile);
        size_t cb = fwrite(strBytes.data(), 1, strBytes.size(), pFile);
        return 0 == fclose(pFile) && cb == strBytes.size();
    }

    // The bytes of the file pszName; FALSE when it cannot be opened.
    bool Read(const WCHAR* pszName, std::string* pstrBytes) const
    {
        FILE* pFile = OpenFileWide(GetFilePath(pszName).c_str(), L"rb");
        if (NULL == pFile) {
            return false;
        }
        pstrBytes->clear();
        char rgb[65536];
        size_t cb;
        while ((cb = fread(rgb, 1, sizeof(rgb), pFile)) > 0) {
            pstrBytes->append(rgb, cb);
        }
        fclose(pFile);
        return true;
    }

private:
#ifdef _WIN32
    TempFolder m_folder;
#endif
    std::wstring m_strPath;
    std::vector<std::wstring> m_rgFiles;
};
