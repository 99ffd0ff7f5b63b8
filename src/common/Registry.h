// Read-only wrapper of one open registry key named by a full path text.
#pragma once

#include <windows.h>

#include <string>

class Registry
{
public:
    Registry() : m_hkKey(NULL) {}
    ~Registry() { Close(); }

    Registry(const Registry&) = delete;
    Registry& operator=(const Registry&) = delete;

    BOOL Open(const WCHAR* pszKeyPath, REGSAM samDesired);
    BOOL Close();

    BOOL QueryValueInfo(const WCHAR* pszKeyValueName, DWORD* pdwType, DWORD* pcbSize);
    BOOL GetValueType(const WCHAR* pszKeyValueName, DWORD* pdwType);
    BOOL GetValueSize(const WCHAR* pszKeyValueName, DWORD* pcbSize);
    BOOL IsValueOfType(const WCHAR* pszKeyValueName, DWORD dwType);
    BOOL ReadString(const WCHAR* pszKeyValueName, std::wstring& strValue);

    HKEY GetKey() const { return m_hkKey; }

private:
    HKEY m_hkKey;
};
