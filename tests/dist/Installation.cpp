#include "dist/Installation.h"

#include <shlobj.h>
#include <tlhelp32.h>

#include <vector>

#include "support/SimSession.h"
#include "support/TestFiles.h"
#include "support/TestProcess.h"

namespace {

// The installer writes a few files and is done in seconds; Wine's first
// start of a program can take longer.
const DWORD SETUP_TIMEOUT_MS = 120000;

// Where Wine takes the load order of a program or library from.
#define WINE_OVERRIDES_KEY L"Software\\Wine\\DllOverrides"

// The uninstaller's copies: <temporary folder>\~nsu<n>.tmp\Un.exe.
#define UNINSTALLER_COPY_PREFIX L"~nsu"

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

// Ends the processes whose program's path begins with strPrefix: an input
// module whose host a failed test has ended by force keeps running otherwise,
// and keeps its file in use; so does an uninstaller left at one of its pages.
void EndProgramsRunningFrom(const std::wstring& strPrefix)
{
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (INVALID_HANDLE_VALUE == hSnapshot) {
        return;
    }
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

// The uninstaller, as its "UninstallString" (a quoted path) names it; empty
// when there is none.
std::wstring GetUninstallerPath()
{
    std::wstring strCommand;
    DWORD dwType = 0;
    if (!ReadMachineValue(UNINSTALL_KEY, L"UninstallString", &strCommand, &dwType) ||
        REG_SZ != dwType || strCommand.size() < 3 || L'"' != strCommand.front() ||
        L'"' != strCommand.back()) {
        return std::wstring();
    }
    return strCommand.substr(1, strCommand.size() - 2);
}

std::wstring GetSystemIcacls()
{
    WCHAR szFolder[MAX_PATH];
    UINT cch = GetSystemDirectoryW(szFolder, MAX_PATH);
    if (0 == cch || cch >= MAX_PATH) {
        return std::wstring();
    }
    return std::wstring(szFolder, cch) + L"\\icacls.exe";
}

std::wstring GetSavedIcacls()
{
    return GetSystemIcacls() + L".tolvex-test-original";
}

}  // namespace

BOOL ReplaceIcacls()
{
    std::wstring strSystem = GetSystemIcacls();
    std::wstring strSaved = GetSavedIcacls();
    // A run that ended before it could put the original back left it saved.
    if (strSystem.empty() ||
        (!FileExists(strSaved) && !CopyFileW(strSystem.c_str(), strSaved.c_str(), TRUE))) {
        return FALSE;
    }
    if (!CopyFileW(GetTestProgramPath(ICACLS_RECORDER).c_str(), strSystem.c_str(), FALSE)) {
        return FALSE;
    }
    // Wine otherwise runs its built-in icacls whatever file lies there. It
    // takes the override from the registry at each program's start (the
    // environment variable would have to be set before this program starts).
    HKEY hKey = NULL;
    if (ERROR_SUCCESS != RegCreateKeyExW(HKEY_CURRENT_USER, WINE_OVERRIDES_KEY, 0, NULL, 0,
                                         KEY_SET_VALUE, NULL, &hKey, NULL)) {
        return FALSE;
    }
    static const WCHAR szNative[] = L"native";
    LONG lResult = RegSetValueExW(hKey, L"icacls.exe", 0, REG_SZ, (const BYTE*)szNative,
                                  sizeof(szNative));
    RegCloseKey(hKey);
    return ERROR_SUCCESS == lResult;
}

BOOL RestoreIcacls()
{
    HKEY hKey = NULL;
    if (ERROR_SUCCESS == RegOpenKeyExW(HKEY_CURRENT_USER, WINE_OVERRIDES_KEY, 0, KEY_SET_VALUE,
                                       &hKey)) {
        RegDeleteValueW(hKey, L"icacls.exe");
        RegCloseKey(hKey);
    }
    std::wstring strSaved = GetSavedIcacls();
    if (!FileExists(strSaved)) {
        return TRUE;
    }
    return CopyFileW(strSaved.c_str(), GetSystemIcacls().c_str(), FALSE) &&
           DeleteFileW(strSaved.c_str());
}

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

BOOL StartUninstaller(const WCHAR* pszSwitches, DWORD dwTimeoutMs)
{
    std::wstring strProgram = GetUninstallerPath();
    TestProcess uninstaller;
    return !strProgram.empty() && uninstaller.Start(strProgram.c_str(), pszSwitches) &&
           uninstaller.Wait(dwTimeoutMs, NULL);
}

BOOL RunUninstallerInPlace(const WCHAR* pszSwitches, DWORD dwTimeoutMs, DWORD* pdwExitCode)
{
    std::wstring strProgram = GetUninstallerPath();
    size_t iSeparator = strProgram.rfind(L'\\');
    if (std::wstring::npos == iSeparator) {
        return FALSE;
    }
    // The folder unquoted and last, as the uninstaller wants it.
    std::wstring strSwitches = std::wstring(pszSwitches) + L" _?=" +
                               strProgram.substr(0, iSeparator);
    TestProcess uninstaller;
    return uninstaller.Start(strProgram.c_str(), strSwitches.c_str()) &&
           uninstaller.Wait(dwTimeoutMs, pdwExitCode);
}

BOOL RunUninstaller(const WCHAR* pszSwitches, DWORD dwTimeoutMs)
{
    if (!StartUninstaller(pszSwitches, dwTimeoutMs)) {
        return FALSE;
    }
    std::wstring strPrograms = GetInstallPlaces().strPrograms;
    return PumpUntil([&] { return !MachineKeyExists(UNINSTALL_KEY) && !FolderExists(strPrograms); },
                     dwTimeoutMs);
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
    EndProgramsRunningFrom(places.strPrograms + L"\\");
    WCHAR szTemp[MAX_PATH];
    DWORD cchTemp = GetTempPathW(MAX_PATH, szTemp);
    std::wstring strTemp;
    if (0 < cchTemp && cchTemp < MAX_PATH) {
        strTemp.assign(szTemp, cchTemp);
        EndProgramsRunningFrom(strTemp + UNINSTALLER_COPY_PREFIX);
    }
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
    if (!strTemp.empty()) {
        WIN32_FIND_DATAW fd;
        HANDLE hFind = FindFirstFileW((strTemp + UNINSTALLER_COPY_PREFIX L"*.tmp").c_str(), &fd);
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
    ReadWholeFile(strPath, &strBytes);
    return strBytes;
}

std::vector<std::string> ReadFileLines(const std::wstring& strPath)
{
    return SplitLines(ReadFileBytes(strPath));
}

std::vector<std::wstring> ListFiles(const std::wstring& strFolder)
{
    std::vector<std::wstring> rgNames;
    WIN32_FIND_DATAW fd;
    HANDLE hFind = FindFirstFileW((strFolder + L"\\*").c_str(), &fd);
    if (INVALID_HANDLE_VALUE == hFind) {
        return rgNames;
    }
    do {
        if (0 == (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            rgNames.push_back(fd.cFileName);
        }
    } while (FindNextFileW(hFind, &fd));
    FindClose(hFind);
    return rgNames;
}
