// The release's installer and uninstaller, run as an administrator runs them,
// and the places an installation fills: the program folder under Program
// Files, the data folder under ProgramData, the Start menu folder and the
// registry values. Every wait is bounded.
//
// Seen under Wine 8 here, beyond the shared notes on Wine:
// - icacls.exe is a stub that changes no rights, and every program runs with
//   the one Unix user's rights: no test can see a folder's rights.
// - A native program put in place of a built-in one in system32 runs only with
//   a load-order override, and WINEDLLOVERRIDES set by a running test with
//   SetEnvironmentVariableW does not reach the programs it starts; a value
//   under HKCU\Software\Wine\DllOverrides counts from the next program start.
// - The NSIS uninstaller runs from %TEMP%\~nsu<n>.tmp\Un.exe (%TEMP% is
//   C:\users\<user>\Temp); opening that file for writing while it runs fails
//   with ERROR_SHARING_VIOLATION, as on Windows.
// - The NSIS wizard's title is its caption and a blank ("Tolvex 2.7
//   Uninstall "), the pages' subcaption.
// - cmd.exe /c ""program" args <in >out 2>err" runs with the outer quotes
//   removed, as on Windows.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#define SETUP_VARIABLE L"TOLVEX_TEST_SETUP"
// For the recorder that takes icacls.exe's place: the file it appends each
// call's arguments to, and the exit code it ends with.
#define ICACLS_LOG_VARIABLE L"TOLVEX_TEST_ICACLS_LOG"
#define ICACLS_EXIT_VARIABLE L"TOLVEX_TEST_ICACLS_EXIT"
#define ICACLS_RECORDER L"icacls_recorder.exe"

#define FOLDER_KEY L"SOFTWARE\\Morvandel\\Morvandel Tolvex"
#define PUBLISHER_KEY L"SOFTWARE\\Morvandel"
#define UNINSTALL_KEY L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tolvex"
#define RUN_KEY L"Software\\Microsoft\\Windows\\CurrentVersion\\Run"

// Where a default installation puts things, without trailing backslashes.
struct InstallPlaces
{
    std::wstring strPrograms;   // Program Files\Tolvex
    std::wstring strData;       // ProgramData\Tolvex
    std::wstring strStartMenu;  // the common Start menu's Tolvex folder
};
InstallPlaces GetInstallPlaces();

// The installer under test, named by SETUP_VARIABLE; empty when unset.
std::wstring GetSetupPath();

// Runs the installer with pszSwitches ("/S ...") and waits for it. TRUE when
// it ended in time; its exit code in *pdwExitCode.
BOOL RunSetup(const WCHAR* pszSwitches, DWORD* pdwExitCode);

// Runs the uninstaller as Add/Remove Programs does (its "UninstallString")
// with pszSwitches. The uninstaller goes on in a copy of itself after the
// started process has ended, so this waits until the uninstall entry (its
// last step) and the program folder are gone. FALSE when there is no entry or
// the wait runs out.
BOOL RunUninstaller(const WCHAR* pszSwitches, DWORD dwTimeoutMs);
// Only starts it so, and waits for the started process alone, as a software
// distribution tool does: the uninstall then still runs in its copy.
BOOL StartUninstaller(const WCHAR* pszSwitches, DWORD dwTimeoutMs);
// Runs it in place ("_?=" and the program folder after pszSwitches) and waits
// for that one process; *pdwExitCode gets its exit code.
BOOL RunUninstallerInPlace(const WCHAR* pszSwitches, DWORD dwTimeoutMs, DWORD* pdwExitCode);

// Puts the recorder (ICACLS_RECORDER of the test folder) in the place of the
// system's icacls.exe, keeping the original beside it, and has Wine load
// icacls.exe as a native program (a DllOverrides value of the prefix), so that
// the recorder runs instead of Wine's built-in stub. RestoreIcacls undoes
// both. TRUE on success.
BOOL ReplaceIcacls();
BOOL RestoreIcacls();

// HKEY_LOCAL_MACHINE in the 64-bit view, as the host reads it.
BOOL ReadMachineValue(const WCHAR* pszKey, const WCHAR* pszValue, std::wstring* pstrData,
                      DWORD* pdwType);
BOOL MachineKeyExists(const WCHAR* pszKey);
BOOL MachineValueExists(const WCHAR* pszKey, const WCHAR* pszValue);

// Asks every running host to close and waits for it and its module.
BOOL CloseRunningHosts(DWORD dwTimeoutMs);

// Removes what an installation may have left, without the uninstaller: the
// running hosts are closed and any program still running from the program
// folder ended, then the three folders, the uninstaller's copies in the
// temporary folder, the values, and the keys of ours that are then empty go.
void RemoveInstallLeftovers();

BOOL FileExists(const std::wstring& strPath);
BOOL FolderExists(const std::wstring& strPath);
// The bytes of a file; empty when it cannot be read.
std::string ReadFileBytes(const std::wstring& strPath);
// The complete lines of a text file (SplitLines).
std::vector<std::string> ReadFileLines(const std::wstring& strPath);
// The names of the files in a folder (not the subfolders).
std::vector<std::wstring> ListFiles(const std::wstring& strFolder);
