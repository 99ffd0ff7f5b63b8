// Drives the demo from inside Wine, one step per call, so that the shell
// script around it can take a screenshot between the steps:
//   tvxdemo start INSTALL_FOLDER    Notepad in front, then Tolvex from its folder
//   tvxdemo type FEED LABELS        appends each label line to the terminal's feed
//                                   and waits until Notepad's text settles
//   tvxdemo scan LABELS             writes each label line and a CR to the
//                                   simulated serial scanner (its folder in
//                                   TVX_SERIAL_SCANNER) and waits the same way
//   tvxdemo read                    prints Notepad's text, one line per line
//   tvxdemo unload MODULE.exe       "Unload" in Tolvex's about box; waits for the
//                                   host and its module and prints their exit codes
#include <windows.h>

#include <stdio.h>

#include <functional>
#include <string>
#include <vector>

#include "common/Escapes.h"
#include "support/ProcessTree.h"
#include "support/SerialScanner.h"
#include "support/TestWindows.h"

#define NOTEPAD_CLASS L"Notepad"
#define HOST_CLASS L"Tolvex"
#define TRAY_ICON_ID 40004
#define ABOUT_UNLOAD_ID 1001

static HWND FindNotepadEdit(HWND* phNotepad)
{
    HWND hNotepad = FindWindowW(NOTEPAD_CLASS, NULL);
    if (NULL != phNotepad) {
        *phNotepad = hNotepad;
    }
    return NULL == hNotepad ? NULL : FindWindowExW(hNotepad, NULL, L"Edit", NULL);
}

static std::wstring GetEditText(HWND hEdit)
{
    DWORD_PTR cch = 0;
    if (!SendMessageTimeoutW(hEdit, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &cch)) {
        return std::wstring();
    }
    std::vector<WCHAR> buffer(cch + 1);
    DWORD_PTR cchRead = 0;
    SendMessageTimeoutW(hEdit, WM_GETTEXT, buffer.size(), (LPARAM)buffer.data(), SMTO_ABORTIFHUNG,
                        2000, &cchRead);
    return std::wstring(buffer.data(), cchRead);
}

static BOOL BringToFront(HWND hNotepad, HWND hEdit)
{
    SetForegroundWindow(hNotepad);
    for (int i = 0; i < 50; i++) {
        if (GetForegroundWindow() == hNotepad) {
            // Typing goes to the window with the focus: the Edit control.
            DWORD dwThread = GetWindowThreadProcessId(hNotepad, NULL);
            AttachThreadInput(GetCurrentThreadId(), dwThread, TRUE);
            SetFocus(hEdit);
            AttachThreadInput(GetCurrentThreadId(), dwThread, FALSE);
            return TRUE;
        }
        Sleep(100);
    }
    return FALSE;
}

static int Start(const WCHAR* pszInstallFolder)
{
    // The children outlive this step: their handles are let go, not ended.
    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi;
    WCHAR szNotepad[] = L"notepad.exe";
    if (!CreateProcessW(NULL, szNotepad, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi)) {
        fprintf(stderr, "tvxdemo: cannot start Notepad (error %lu)\n", GetLastError());
        return 1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    HWND hNotepad = WaitForTopWindow(NOTEPAD_CLASS, NULL, 15000);
    HWND hEdit = FindNotepadEdit(NULL);
    if (NULL == hNotepad || NULL == hEdit) {
        fprintf(stderr, "tvxdemo: Notepad's window did not appear\n");
        return 1;
    }

    std::wstring strHost = std::wstring(pszInstallFolder) + L"\\Tolvex.exe";
    std::wstring strCommand = L"\"" + strHost + L"\"";
    if (!CreateProcessW(strHost.c_str(), &strCommand[0], NULL, NULL, FALSE, 0, NULL,
                        pszInstallFolder, &si, &pi)) {
        fprintf(stderr, "tvxdemo: cannot start %ls (error %lu)\n", strHost.c_str(), GetLastError());
        return 1;
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    if (NULL == WaitForTopWindow(HOST_CLASS, HOST_CLASS, 15000)) {
        fprintf(stderr, "tvxdemo: Tolvex's window did not appear\n");
        return 1;
    }
    if (!BringToFront(hNotepad, hEdit)) {
        fprintf(stderr, "tvxdemo: Notepad could not be brought to the front\n");
        return 1;
    }
    printf("Notepad and Tolvex are running\n");
    return 0;
}

// Waits until the text has changed from strBefore and then stayed the same
// for a while; a label may pause mid-way (sleep in the script, line feeds).
static std::wstring WaitForSettledText(HWND hEdit, const std::wstring& strBefore)
{
    std::wstring strText = GetEditText(hEdit);
    DWORD dwStart = GetTickCount();
    DWORD dwLastChange = dwStart;
    bool fChanged = false;
    while (GetTickCount() - dwStart < 15000) {
        Sleep(50);
        std::wstring strNow = GetEditText(hEdit);
        if (strNow != strText) {
            strText = strNow;
            dwLastChange = GetTickCount();
            fChanged = true;
        }
        if ((fChanged || strText != strBefore) && GetTickCount() - dwLastChange > 800) {
            break;
        }
    }
    return strText;
}

// Hands one label line, escapes and all, to the scanner at hand; FALSE
// (after saying why) when it could not.
typedef std::function<BOOL(const std::string& strLine)> ScanLabel;

static int ScanLabels(const WCHAR* pszLabels, const ScanLabel& fnScan)
{
    HWND hNotepad = NULL;
    HWND hEdit = FindNotepadEdit(&hNotepad);
    if (NULL == hEdit) {
        fprintf(stderr, "tvxdemo: Notepad is not running\n");
        return 1;
    }
    FILE* pLabels = _wfopen(pszLabels, L"rb");
    if (NULL == pLabels) {
        fprintf(stderr, "tvxdemo: cannot read %ls\n", pszLabels);
        return 1;
    }
    int nResult = 0;
    char szLine[4096];
    while (NULL != fgets(szLine, sizeof(szLine), pLabels)) {
        std::string strLine = szLine;
        while (!strLine.empty() && ('\n' == strLine.back() || '\r' == strLine.back())) {
            strLine.pop_back();
        }
        std::wstring strBefore = GetEditText(hEdit);
        if (TRUE != fnScan(strLine)) {
            nResult = 1;
            break;
        }
        printf("fed    %s\n", strLine.c_str());
        fflush(stdout);
        if (WaitForSettledText(hEdit, strBefore) == strBefore) {
            printf("       (nothing arrived in Notepad)\n");
            nResult = 1;
        }
    }
    fclose(pLabels);
    return nResult;
}

static int Type(const WCHAR* pszFeed, const WCHAR* pszLabels)
{
    return ScanLabels(pszLabels, [pszFeed](const std::string& strLine) {
        FILE* pFeed = _wfopen(pszFeed, L"ab");
        if (NULL == pFeed) {
            fprintf(stderr, "tvxdemo: cannot append to %ls\n", pszFeed);
            return FALSE;
        }
        fprintf(pFeed, "%s\n", strLine.c_str());
        fclose(pFeed);
        return TRUE;
    });
}

// The serial scanner takes the same escapes as the feed; the module's
// settings end a label at its CR, as most scanners send it.
static int Scan(const WCHAR* pszLabels)
{
    SerialScanner scanner;
    if (TRUE != scanner.IsReady()) {
        fprintf(stderr, "tvxdemo: the simulated serial scanner is not running (see %ls)\n",
                SERIAL_SCANNER_VARIABLE);
        return 1;
    }
    return ScanLabels(pszLabels, [&scanner](const std::string& strLine) {
        if (TRUE != scanner.Write(strLine + "\\r")) {
            const std::vector<std::string>& results = scanner.GetResults();
            fprintf(stderr, "tvxdemo: the serial scanner did not write the label (%s)\n",
                    results.empty() ? "no answer" : results.back().c_str());
            return FALSE;
        }
        return TRUE;
    });
}

static int Read()
{
    HWND hEdit = FindNotepadEdit(NULL);
    if (NULL == hEdit) {
        fprintf(stderr, "tvxdemo: Notepad is not running\n");
        return 1;
    }
    std::wstring strText = GetEditText(hEdit);
    size_t iStart = 0;
    while (iStart <= strText.size()) {
        size_t iEnd = strText.find(L"\r\n", iStart);
        std::wstring strLine = strText.substr(iStart, std::wstring::npos == iEnd ? std::wstring::npos : iEnd - iStart);
        // Shown in the escapes of the labels: a character above U+00FF as "?".
        std::string strBytes;
        for (WCHAR ch : strLine) {
            strBytes += ch <= 0xFF ? (char)ch : '?';
        }
        printf("typed  %s\n", EscapeText(strBytes.c_str()).c_str());
        if (std::wstring::npos == iEnd) {
            break;
        }
        iStart = iEnd + 2;
    }
    return 0;
}

static BOOL WaitAndReport(const char* pszWhat, HANDLE hProcess)
{
    DWORD dwExitCode = 0;
    if (NULL == hProcess) {
        printf("%s: not found\n", pszWhat);
        return FALSE;
    }
    if (WAIT_OBJECT_0 != WaitForSingleObject(hProcess, 5000) ||
        !GetExitCodeProcess(hProcess, &dwExitCode)) {
        printf("%s: still running\n", pszWhat);
        return FALSE;
    }
    printf("%s: ended, exit code %lu\n", pszWhat, dwExitCode);
    return 0 == dwExitCode;
}

static int Unload(const WCHAR* pszModule)
{
    HWND hHost = FindWindowW(HOST_CLASS, HOST_CLASS);
    if (NULL == hHost) {
        fprintf(stderr, "tvxdemo: Tolvex is not running\n");
        return 1;
    }
    DWORD dwHostId = 0;
    GetWindowThreadProcessId(hHost, &dwHostId);
    DWORD dwModuleId = FindChildProcess(dwHostId, pszModule);
    const DWORD dwAccess = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION;
    HANDLE hHostProcess = OpenProcess(dwAccess, FALSE, dwHostId);
    HANDLE hModuleProcess = 0 == dwModuleId ? NULL : OpenProcess(dwAccess, FALSE, dwModuleId);

    // What a click on the tray icon does: the about box opens.
    PostMessageW(hHost, WM_COMMAND, TRAY_ICON_ID, WM_LBUTTONDOWN);
    HWND hAbout = WaitForTopWindow(TEST_BOX_CLASS, HOST_CLASS, 5000, dwHostId);
    BOOL fOk = NULL != hAbout && PressBoxButton(hAbout, ABOUT_UNLOAD_ID);
    if (!fOk) {
        printf("the about box did not open\n");
    }
    fOk = WaitAndReport("Tolvex", hHostProcess) && fOk;
    fOk = WaitAndReport("input module", hModuleProcess) && fOk;
    if (NULL != hHostProcess) {
        CloseHandle(hHostProcess);
    }
    if (NULL != hModuleProcess) {
        CloseHandle(hModuleProcess);
    }
    return fOk ? 0 : 1;
}

int wmain(int argc, WCHAR** argv)
{
    if (3 == argc && 0 == wcscmp(argv[1], L"start")) {
        return Start(argv[2]);
    }
    if (4 == argc && 0 == wcscmp(argv[1], L"type")) {
        return Type(argv[2], argv[3]);
    }
    if (3 == argc && 0 == wcscmp(argv[1], L"scan")) {
        return Scan(argv[2]);
    }
    if (2 == argc && 0 == wcscmp(argv[1], L"read")) {
        return Read();
    }
    if (3 == argc && 0 == wcscmp(argv[1], L"unload")) {
        return Unload(argv[2]);
    }
    fprintf(stderr, "usage: tvxdemo start FOLDER | type FEED LABELS | scan LABELS | read | "
                    "unload MODULE.exe\n");
    return 2;
}
