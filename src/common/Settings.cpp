#include "common/Settings.h"

#include <string.h>
#include <wchar.h>
#include <wctype.h>

#include "common/AnsiText.h"
#include "common/Assert.h"
#include "common/Folders.h"
#include "common/MyString.h"

// A line is read in pieces of at most this many bytes.
#define SETTINGS_READ_BUFFER 99

static int CompareNoCase(const WCHAR* pszA, const WCHAR* pszB)
{
    for (;; pszA++, pszB++) {
        wint_t chA = towlower((wint_t)*pszA);
        wint_t chB = towlower((wint_t)*pszB);
        if (chA != chB) {
            return chA < chB ? -1 : 1;
        }
        if (0 == chA) {
            return 0;
        }
    }
}

Settings* gpSettings = NULL;

Settings::Settings(const WCHAR* pszFolder)
    : m_pszFolder(NULL), m_nSettings(0)
{
    FATAL_ASSERT(NULL != pszFolder);
    CopyString(&m_pszFolder, pszFolder);
    for (int i = 0; i < MAX_SETTINGS; i++) {
        m_apszName[i] = NULL;
        m_apszValue[i] = NULL;
    }
}

Settings::~Settings()
{
    FreeString(&m_pszFolder);
    Clear();
}

int Settings::Find(const WCHAR* pszName) const
{
    FATAL_ASSERT(NULL != pszName);
    for (int i = 0; i < m_nSettings; i++) {
        if (0 == CompareNoCase(m_apszName[i], pszName)) {
            return i;
        }
    }
    return -1;
}

const WCHAR* Settings::Get(const WCHAR* pszName) const
{
    int nIndex = Find(pszName);
    return nIndex < 0 ? NULL : m_apszValue[nIndex];
}

const WCHAR* Settings::GetName(int nIndex) const
{
    return (nIndex >= 0 && nIndex < m_nSettings) ? m_apszName[nIndex] : NULL;
}

void Settings::Set(const WCHAR* pszName, const WCHAR* pszValue)
{
    FATAL_ASSERT(NULL != pszName);
    FATAL_ASSERT(NULL != pszValue);
    int nIndex = Find(pszName);
    if (nIndex >= 0) {
        FreeString(&m_apszValue[nIndex]);
        CopyString(&m_apszValue[nIndex], pszValue);
        return;
    }
    FATAL_ASSERT(m_nSettings < MAX_SETTINGS);
    CopyString(&m_apszName[m_nSettings], pszName);
    CopyString(&m_apszValue[m_nSettings], pszValue);
    m_nSettings++;
}

void Settings::Clear()
{
    for (int i = 0; i < m_nSettings; i++) {
        FreeString(&m_apszName[i]);
        FreeString(&m_apszValue[i]);
    }
    m_nSettings = 0;
}

void Settings::ParseLine(const std::wstring& strLine)
{
    std::wstring strRest = strLine;
    std::wstring strName = ExtractToken(strRest, L'=');
    std::wstring strValue = ExtractToken(strRest, L'=');
    TrimBlanks(strName);
    // A file is user input: names beyond the free slots are ignored rather
    // than allowed to break the table's limit.
    if (Find(strName.c_str()) < 0 && m_nSettings >= MAX_SETTINGS) {
        return;
    }
    Set(strName.c_str(), strValue.c_str());
}

BOOL Settings::Read(const WCHAR* pszFilename)
{
    FATAL_ASSERT(NULL != pszFilename);
    std::wstring strPath = JoinPath(m_pszFolder, pszFilename);
    FILE* pFile = OpenFileWide(strPath.c_str(), L"rb");
    if (NULL == pFile) {
        return FALSE;
    }
    char szLine[SETTINGS_READ_BUFFER];
    while (NULL != fgets(szLine, sizeof(szLine), pFile)) {
        StripLineEnd(szLine);
        if ('\0' == szLine[0]) {
            continue;
        }
        ParseLine(WidenAnsi(szLine));
    }
    fclose(pFile);
    return TRUE;
}
