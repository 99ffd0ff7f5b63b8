#include "common/Registry.h"

#include <wchar.h>

#include "common/Assert.h"
#include "common/MyString.h"

struct RootKeyName
{
    const WCHAR* pszName;
    HKEY hkRoot;
};

// The root keys a path may start with.
static const RootKeyName grgRootKeys[] = {
    { L"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT },
    { L"HKEY_CURRENT_USER", HKEY_CURRENT_USER },
    { L"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE },
    { L"HKEY_USERS", HKEY_USERS },
    { L"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG },
    { L"HKEY_DYN_DATA", HKEY_DYN_DATA },
};

static HKEY FindRootKey(const std::wstring& strName)
{
    for (const RootKeyName& root : grgRootKeys) {
        if (0 == _wcsicmp(root.pszName, strName.c_str())) {
            return root.hkRoot;
        }
    }
    return NULL;
}

BOOL Registry::Open(const WCHAR* pszKeyPath, REGSAM samDesired)
{
    FATAL_ASSERT(NULL != pszKeyPath);
    if (NULL != m_hkKey) {
        return FALSE;
    }
    std::wstring strPath = pszKeyPath;
    if (strPath.empty()) {
        return FALSE;
    }
    HKEY hkRoot = FindRootKey(ExtractToken(strPath, L'\\'));
    if (NULL == hkRoot || strPath.empty()) {
        return FALSE;
    }
    HKEY hkCurrent = hkRoot;
    while (!strPath.empty()) {
        std::wstring strComponent = ExtractToken(strPath, L'\\');
        LONG lResult = RegOpenKeyExW(hkCurrent, strComponent.c_str(), 0, samDesired, &m_hkKey);
        if (ERROR_SUCCESS != lResult) {
            if (hkCurrent != hkRoot) {
                RegCloseKey(hkCurrent);
            }
            m_hkKey = NULL;
            return FALSE;
        }
        if (hkCurrent != hkRoot) {
            RegCloseKey(hkCurrent);
        }
        hkCurrent = m_hkKey;
    }
    return TRUE;
}

BOOL Registry::Close()
{
    if (NULL == m_hkKey) {
        return FALSE;
    }
    LONG lResult = RegCloseKey(m_hkKey);
    m_hkKey = NULL;
    return ERROR_SUCCESS == lResult ? TRUE : FALSE;
}

BOOL Registry::QueryValueInfo(const WCHAR* pszKeyValueName, DWORD* pdwType, DWORD* pcbSize)
{
    FATAL_ASSERT((HKEY)0 != m_hkKey);
    FATAL_ASSERT(NULL != pszKeyValueName);
    LONG lResult = RegQueryValueExW(m_hkKey, pszKeyValueName, NULL, pdwType, NULL, pcbSize);
    return ERROR_SUCCESS == lResult ? TRUE : FALSE;
}

BOOL Registry::GetValueType(const WCHAR* pszKeyValueName, DWORD* pdwType)
{
    DWORD cbScratch = 0;
    return QueryValueInfo(pszKeyValueName, pdwType, &cbScratch);
}

BOOL Registry::GetValueSize(const WCHAR* pszKeyValueName, DWORD* pcbSize)
{
    DWORD dwScratch = 0;
    return QueryValueInfo(pszKeyValueName, &dwScratch, pcbSize);
}

BOOL Registry::IsValueOfType(const WCHAR* pszKeyValueName, DWORD dwType)
{
    DWORD dwActual = 0;
    return (GetValueType(pszKeyValueName, &dwActual) && dwActual == dwType) ? TRUE : FALSE;
}

BOOL Registry::ReadString(const WCHAR* pszKeyValueName, std::wstring& strValue)
{
    if (!IsValueOfType(pszKeyValueName, REG_SZ)) {
        return FALSE;
    }
    DWORD cbSize = 0;
    if (!GetValueSize(pszKeyValueName, &cbSize)) {
        return FALSE;
    }
    // One spare character keeps a value stored without its terminator terminated.
    std::wstring strBuffer(cbSize / sizeof(WCHAR) + 1, L'\0');
    DWORD dwType = REG_SZ;
    DWORD cbRead = cbSize;
    LONG lResult = RegQueryValueExW(m_hkKey, pszKeyValueName, NULL, &dwType,
                                    (BYTE*)&strBuffer[0], &cbRead);
    strValue.assign(strBuffer.c_str());
    return ERROR_SUCCESS == lResult ? TRUE : FALSE;
}
