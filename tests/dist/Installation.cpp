#include "dist/Installation.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <vector>

#include "support/TestFiles.h"
#include "support/TestProcess.h"

namespace {

// The installer writes a few files and is done in seconds; Wine's first
// start of a program can take longer.
const DWORD SETUP_TIMEOUT_MS = 120000;

std::wstring KnownFolder(REFKNOWNFOLDERID id)
{
    PWSTR pszPath = NULL;
    std::wstring strPath;
    if (SUCCEEDED(SHGetKnownFolderPath(id, 0, NULL, &pszPath))) {
        strPath = pszPath;
    }
    CoTaskMemFree(pszPath);
    return strPath;
}

HKEY OpenMachineKey(const WCHAR* pszKey, REGSAM samAccess)
{
    HKEY hKey = NULL;
    if (ERROR_SUCCESS != RegOpenKeyExW(HKEY_LOCAL_MACHINE, pszKey, 0,
                                       samAccess | KEY_WOW64_64KEY, &hKey)) {
        return NULL;
    }
    return hKey;
}

void DeleteMachineValue(const WCHAR* pszKey, const WCHAR* pszValue)
{
    HKEY hKey = OpenMachineKey(pszKey, KEY_SET_VALUE);
    if (NULL != hKey) {
        RegDeleteValueW(hKey, pszValue);
        RegCloseKey(hKey);
    }
}

// Deletes the key only when it holds no values and no subkeys: other tests
// and programs may keep their own there.
void DeleteMachineKeyIfEmpty(const WCHAR* pszKey)
{
    HKEY hKey = OpenMachineKey(pszKey, KEY_READ);
    if (NULL == hKey) {
        return;
    }
    DWORD cSubKeys = 0;
    DWORD cValues = 0;
    LONG lResult = RegQueryInfoKeyW(hKey, NULL, NULL, NULL, &cSubKeys, NULL, NULL, &cValues,
                                    NULL, NULL, NULL, NULL);
    RegCloseKey(hKey);
    if (ERROR_SUCCESS == lResult && 0 == cSubKeys && 0 == cValues) {
        RegDeleteKeyExW(HKEY_LOCAL_MACHINE, pszKey, KEY_WOW64_64KEY, 0);
    }
}

// Ends the processes whose program lies in strFolder: an input module whose
// host a failed test has ended by force keeps running otherwise, and keeps
// its file in use.
void EndProgramsRunningFrom(const std::wstring& strFolder)
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (INVALID_HANDLE_VALUE == hSnapshot) {
        return;
    }
    std::wstring strPrefix = strFolder + L"\\";
    PROCESSENTRY32W pe;
    pe.dwSize = sizeof(pe);
    for (BOOL fMore = Process32FirstW(hSnapshot, &pe); fMore;
         fMore = Process32NextW(hSnapshot, &pe)) {
        HANDLE hProcess = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE |
                                          SYNCHRONIZE,
                                      FALSE, pe.th32ProcessID);
        if (NULL == hProcess) {
            continue;
        }
        WCHAR szImage[MAX_PATH];
        DWORD cchImage = MAX_PATH;
        if (QueryFullProcessImageNameW(hProcess, 0, szImage, &cchImage) &&
            0 == _wcsnicmp(szImage, strPrefix.c_str(), strPrefix.size())) {
            TerminateProcess(hProcess, 1);
            WaitForSingleObject(hProcess, 5000);
        }
        CloseHandle(hProcess);
    }
    CloseHandle(hSnapshot);
}

}  // namespace

InstallPlaces GetInstallPlaces()
{
    InstallPlaces places;
    places.strPrograms = KnownFolder(FOLDERID_ProgramFiles) + L"\\Tolvex";
    places.strData = KnownFolder(FOLDERID_ProgramData) + L"\\Tolvex";
    places.strStartMenu = KnownFolder(FOLDERID_CommonPrograms) + L"\\Tolvex";
    return places;
}

std::wstring GetSetupPath()
{
    WCHAR szPath[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(SETUP_VARIABLE, szPath, MAX_PATH);
    if (0 == cch || cch >= MAX_PATH) {
        return std::wstring();
    }
    // The build names it with the Unix separators.
    std::wstring strPath(szPath, cch);
    for (WCHAR& ch : strPath) {
        if (L'/' == ch) {
            ch = L'\\';
        }
    }
    return strPath;
}

BOOL RunSetup(const WCHAR* pszSwitches, DWORD* pdwExitCode)
{
    std::wstring strSetup = GetSetupPath();
    TestProcess setup;
    if (strSetup.empty() || !setup.Start(strSetup.c_str(), pszSwitches)) {
        return FALSE;
    }
    return setup.Wait(SETUP_TIMEOUT_MS, pdwExitCode);
}

BOOL RunUninstaller(const WCHAR* pszSwitches, DWORD dwTimeoutMs)
{
    std::wstring strCommand;
    DWORD dwType = 0;
    if (!ReadMachineValue(UNINSTALL_KEY, L"UninstallString", &strCommand, &dwType) ||
        REG_SZ != dwType || strCommand.size() < 3 || L'"' != strCommand.front() ||
        L'"' != strCommand.back()) {
        return FALSE;
    }
    std::wstring strProgram = strCommand.substr(1, strCommand.size() - 2);
    TestProcess uninstaller;
    if (!uninstaller.Start(strProgram.c_str(), pszSwitches) ||
        !uninstaller.Wait(dwTimeoutMs, NULL)) {
        return FALSE;
    }
    std::wstring strPrograms = GetInstallPlaces().strPrograms;
    ULONGLONG ullStart = GetTickCount64();
    while (MachineKeyExists(UNINSTALL_KEY) || FolderExists(strPrograms)) {
        if (GetTickCount64() - ullStart >= dwTimeoutMs) {
            return FALSE;
        }
        Sleep(50);
    }
    return TRUE;
}

BOOL ReadMachineValue(const WCHAR* pszKey, const WCHAR* pszValue, std::wstring* pstrData,
                      DWORD* pdwType)
{
    HKEY hKey = OpenMachineKey(pszKey, KEY_READ);
    if (NULL == hKey) {
        return FALSE;
    }
    DWORD cbData = 0;
    LONG lResult = RegQueryValueExW(hKey, pszValue, NULL, pdwType, NULL, &cbData);
    std::vector<WCHAR> rgchData(cbData / sizeof(WCHAR) + 1, L'\0');
    if (ERROR_SUCCESS == lResult) {
        lResult = RegQueryValueExW(hKey, pszValue, NULL, pdwType,
                                   reinterpret_cast<BYTE*>(rgchData.data()), &cbData);
    }
    RegCloseKey(hKey);
    if (ERROR_SUCCESS != lResult) {
        return FALSE;
    }
    *pstrData = rgchData.data();
    return TRUE;
}

BOOL MachineKeyExists(const WCHAR* pszKey)
{
    HKEY hKey = OpenMachineKey(pszKey, KEY_READ);
    if (NULL == hKey) {
        return FALSE;
    }
    RegCloseKey(hKey);
    return TRUE;
}

BOOL MachineValueExists(const WCHAR* pszKey, const WCHAR* pszValue)
{
    std::wstring strData;
    DWORD dwType = 0;
    return ReadMachineValue(pszKey, pszValue, &strData, &dwType);
}

BOOL CloseRunningHosts(DWORD dwTimeoutMs)
{
    ULONGLONG ullStart = GetTickCount64();
    for (;;) {
        HWND hWndHost = FindWindowW(L"Tolvex", L"Tolvex");
        HWND hWndModule = FindWindowW(L"Scanner", L"Scanner");
        if (NULL == hWndHost && NULL == hWndModule) {
            return TRUE;
        }
        if (GetTickCount64() - ullStart >= dwTimeoutMs) {
            return FALSE;
        }
        if (NULL != hWndHost) {
            PostMessageW(hWndHost, WM_CLOSE, 0, 0);
        }
        Sleep(100);
    }
}

void RemoveInstallLeftovers()
{
    CloseRunningHosts(5000);
    InstallPlaces places = GetInstallPlaces();
    EndProgramsRunningFrom(places.strPrograms);
    // Under Wine a folder can stay in use for a moment after the installer
    // has been reported ended: try again, for a bounded time.
    ULONGLONG ullStart = GetTickCount64();
    for (;;) {
        BOOL fGone = RemoveFolderTree(places.strPrograms);
        fGone = RemoveFolderTree(places.strData) && fGone;
        fGone = RemoveFolderTree(places.strStartMenu) && fGone;
        if (fGone || GetTickCount64() - ullStart >= 10000) {
            break;
        }
        Sleep(100);
    }
    // The uninstaller runs from a copy in the temporary folder, which Windows
    // deletes at the next restart; the test prefix never restarts.
    WCHAR szTemp[MAX_PATH];
    DWORD cchTemp = GetTempPathW(MAX_PATH, szTemp);
    if (0 < cchTemp && cchTemp < MAX_PATH) {
        std::wstring strTemp(szTemp, cchTemp);
        WIN32_FIND_DATAW fd;
        HANDLE hFind = FindFirstFileW((strTemp + L"~nsu*.tmp").c_str(), &fd);
        if (INVALID_HANDLE_VALUE != hFind) {
            do {
                RemoveFolderTree(strTemp + fd.cFileName);
            } while (FindNextFileW(hFind, &fd));
            FindClose(hFind);
        }
    }
    DeleteMachineValue(RUN_KEY, L"Tolvex");
    DeleteMachineValue(FOLDER_KEY, L"Folder");
    DeleteMachineKeyIfEmpty(FOLDER_KEY);
    DeleteMachineKeyIfEmpty(PUBLISHER_KEY);
    RegDeleteKeyExW(HKEY_LOCAL_MACHINE, UNINSTALL_KEY, KEY_WOW64_64KEY, 0);
}

BOOL FileExists(const std::wstring& strPath)
{
    DWORD dwAttributes = GetFileAttributesW(strPath.c_str());
    return INVALID_FILE_ATTRIBUTES != dwAttributes &&
           0 == (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

BOOL FolderExists(const std::wstring& strPath)
{
    DWORD dwAttributes = GetFileAttributesW(strPath.c_str());
    return INVALID_FILE_ATTRIBUTES != dwAttributes &&
           0 != (dwAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFileBytes(const std::wstring& strPath)
{
    std::string strBytes;
    FILE* pFile = _wfopen(strPath.c_str(), L"rb");
    if (NULL == pFile) {
        return strBytes;
    }
    char rgbBuffer[4096];
    size_t cbRead = 0;
    while (0 < (cbRead = fread(rgbBuffer, 1, sizeof(rgbBuffer), pFile))) {
        strBytes.append(rgbBuffer, cbRead);
    }
    fclose(pFile);
    return strBytes;
}
