// A stand-in input module for the host's system tests. Like a real module it
// takes the host window's handle as eight hexadecimal digits, opens the stop
// events named after it, and every 100 ms first tests the stop event and then
// delivers a scan as WM_COPYDATA. The tests steer it through files in its own
// folder and read what it did from "module.log" there:
//   scan.txt           one scan (UTF-8) to send; deleted when taken
//   quit.txt           end on its own: signal "stopped" and end
//   assert.txt         trip the fatal assertion: its box, then exit code -1,
//                      without signalling "stopped"
//   ignore-stop.txt    (present at start) do not answer the stop request
//   window.txt         show a window of its own in front, as a module's box
//                      is: a visible top-level EDIT control titled
//                      "TestModule window" with the focus; deleted when taken
// Log lines: "<pid> start <command line>", "<pid> sent <result>",
// "<pid> stop-request <tick>", "<pid> quit <tick>", "<pid> abandoned" (its
// host ended without a stop request, or two minutes passed), "<pid> end".
#include <windows.h>

#include <stdio.h>
#include <wchar.h>

#include <string>

#include "common/AnsiText.h"
#include "common/Assert.h"
#include "common/Events.h"

namespace {

// A test that failed half-way must not leave a module behind.
const ULONGLONG kMaxLifetimeMs = 120000;
const UINT kTickMs = 100;

std::wstring gstrFolder;

std::wstring FilePath(const WCHAR* pszName)
{
    return gstrFolder + L"\\" + pszName;
}

void Log(const std::string& strLine)
{
    FILE* pFile = _wfopen(FilePath(L"module.log").c_str(), L"ab");
    if (NULL != pFile) {
        fprintf(pFile, "%lu %s\n", GetCurrentProcessId(), strLine.c_str());
        fclose(pFile);
    }
}

BOOL FileExists(const WCHAR* pszName)
{
    return INVALID_FILE_ATTRIBUTES != GetFileAttributesW(FilePath(pszName).c_str());
}

// Takes scan.txt away and returns its text, or FALSE when there is none.
BOOL TakeScan(std::wstring& strScan)
{
    std::wstring strPath = FilePath(L"scan.txt");
    FILE* pFile = _wfopen(strPath.c_str(), L"rb");
    if (NULL == pFile) {
        return FALSE;
    }
    std::string strBytes;
    char buffer[256];
    size_t cb;
    while ((cb = fread(buffer, 1, sizeof(buffer), pFile)) > 0) {
        strBytes.append(buffer, cb);
    }
    fclose(pFile);
    DeleteFileW(strPath.c_str());
    int cch = MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), (int)strBytes.size(), NULL, 0);
    strScan.assign(cch, L'\0');
    if (cch > 0) {
        MultiByteToWideChar(CP_UTF8, 0, strBytes.data(), (int)strBytes.size(), &strScan[0], cch);
    }
    return TRUE;
}

BOOL ParseHandle(const WCHAR* pszArgument, HWND* phWnd)
{
    if (8 != wcslen(pszArgument) || 8 != wcsspn(pszArgument, L"0123456789abcdefABCDEF")) {
        return FALSE;
    }
    DWORD dwValue = wcstoul(pszArgument, NULL, 16);
    *phWnd = (HWND)(LONG_PTR)(LONG)dwValue;
    return TRUE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR pszCommandLine, int)
{
    WCHAR szPath[MAX_PATH];
    GetModuleFileNameW(NULL, szPath, MAX_PATH);
    gstrFolder = szPath;
    gstrFolder.erase(gstrFolder.rfind(L'\\'));

    Log("start " + NarrowUtf8(GetCommandLineW()));
    HWND hWndHost = NULL;
    if (!ParseHandle(pszCommandLine, &hWndHost) || TRUE != CreateStopEvents(hWndHost)) {
        Log("refused");
        return 1;
    }
    BOOL fIgnoreStop = FileExists(L"ignore-stop.txt");
    // The host destroys its window before it signals the stop event, so the
    // safety net watches the host's process, not its window.
    DWORD dwHostId = 0;
    GetWindowThreadProcessId(hWndHost, &dwHostId);
    HANDLE hHost = OpenProcess(SYNCHRONIZE, FALSE, dwHostId);

    UINT_PTR idTimer = SetTimer(NULL, 0, kTickMs, NULL);
    ULONGLONG ullStart = GetTickCount64();
    ULONGLONG ullStopRequest = 0;
    MSG msg;
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (WM_TIMER != msg.message) {
            DispatchMessageW(&msg);
            continue;
        }
        ULONGLONG ullNow = GetTickCount64();
        if (WAIT_OBJECT_0 == WaitForSingleObject(ghStopInputModuleEvent, 0)) {
            if (0 == ullStopRequest) {
                ullStopRequest = ullNow;
                Log("stop-request " + std::to_string(ullNow));
            }
            // A module that does not answer still ends some time later.
            if (!fIgnoreStop || ullNow - ullStopRequest > 3000) {
                if (!fIgnoreStop) {
                    SetEvent(ghInputModuleEventStopped);
                }
                break;
            }
            continue;
        }
        if (ullNow - ullStart > kMaxLifetimeMs || NULL == hHost ||
            WAIT_OBJECT_0 == WaitForSingleObject(hHost, 0)) {
            Log("abandoned");
            break;
        }
        FATAL_ASSERT(FALSE == FileExists(L"assert.txt"));
        if (FileExists(L"quit.txt")) {
            DeleteFileW(FilePath(L"quit.txt").c_str());
            Log("quit " + std::to_string(GetTickCount64()));
            SetEvent(ghInputModuleEventStopped);
            break;
        }
        if (FileExists(L"window.txt")) {
            DeleteFileW(FilePath(L"window.txt").c_str());
            HWND hWindow = CreateWindowExW(0, L"EDIT", L"TestModule window",
                                           WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 100,
                                           NULL, NULL, GetModuleHandleW(NULL), NULL);
            SetForegroundWindow(hWindow);
            SetFocus(hWindow);
            Log("window");
        }
        std::wstring strScan;
        if (TakeScan(strScan)) {
            COPYDATASTRUCT cds;
            cds.dwData = 0;
            cds.cbData = (DWORD)((strScan.size() + 1) * sizeof(WCHAR));
            cds.lpData = (PVOID)strScan.c_str();
            LRESULT lResult = SendMessageW(hWndHost, WM_COPYDATA, 0, (LPARAM)&cds);
            Log("sent " + std::to_string(lResult));
        }
    }
    KillTimer(NULL, idTimer);
    if (NULL != hHost) {
        CloseHandle(hHost);
    }
    CloseStopEvents();
    Log("end");
    return 0;
}
