// A small table of named text values filled from a name=value file.
#pragma once

#include <string>

#include "common/Types.h"

#define MAX_SETTINGS 50

// A setting and the value it has when the settings file does not name it.
struct SettingDefault
{
    const WCHAR* pszName;
    const WCHAR* pszValue;
};

class Settings
{
public:
    explicit Settings(const WCHAR* pszFolder);
    ~Settings();

    Settings(const Settings&) = delete;
    Settings& operator=(const Settings&) = delete;

    // Index of the entry called pszName (any case), or -1.
    int Find(const WCHAR* pszName) const;
    // The value text, or null when the name is absent.
    const WCHAR* Get(const WCHAR* pszName) const;
    // Enters or replaces a value. A new name beyond MAX_SETTINGS is a fatal assertion.
    void Set(const WCHAR* pszName, const WCHAR* pszValue);
    // Reads the file pszFilename of the folder (JoinPath); FALSE when it
    // cannot be opened.
    BOOL Read(const WCHAR* pszFilename);
    // Frees every name and value.
    void Clear();

    // Parses one line (already stripped of its line end and widened) into the
    // table. Lines with a new name beyond the free slots are ignored.
    void ParseLine(const std::wstring& strLine);

    int GetCount() const { return m_nSettings; }
    const WCHAR* GetName(int nIndex) const;
    const WCHAR* GetFolder() const { return m_pszFolder; }

private:
    WCHAR* m_pszFolder;
    WCHAR* m_apszName[MAX_SETTINGS];
    WCHAR* m_apszValue[MAX_SETTINGS];
    int m_nSettings;
};

// The process's one settings table: the host's "Tolvex.txt", or a module's
// own file. Its owner (the application object) makes and frees it.
extern Settings* gpSettings;
