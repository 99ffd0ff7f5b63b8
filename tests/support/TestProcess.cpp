#include "support/TestProcess.h"

#include <vector>

#include "common/EventNames.h"

std::wstring GetTestProgramFolder()
{
    WCHAR szPath[MAX_PATH];
    DWORD cch = GetModuleFileNameW(NULL, szPath, MAX_PATH);
    if (0 == cch || cch >= MAX_PATH) {
        return std::wstring();
    }
    std::wstring strFolder(szPath, cch);
    size_t iSlash = strFolder.find_last_of(L'\\');
    return std::wstring::npos == iSlash ? std::wstring() : strFolder.substr(0, iSlash);
}

std::wstring GetTestProgramPath(const WCHAR* pszFileName)
{
    return GetTestProgramFolder() + L"\\" + pszFileName;
}

TestProcess::TestProcess()
    : m_hProcess(NULL), m_dwProcessId(0)
{
}

TestProcess::~TestProcess()
{
    Close();
}

BOOL TestProcess::Start(const WCHAR* pszProgram, const WCHAR* pszArguments,
                        const WCHAR* pszCurrentFolder, const WCHAR* pszEnvironment)
{
    if (NULL != m_hProcess) {
        return FALSE;
    }
    std::wstring strCommand = L"\"";
    strCommand += pszProgram;
    strCommand += L"\"";
    if (NULL != pszArguments) {
        strCommand += L" ";
        strCommand += pszArguments;
    }
    // CreateProcessW may write into the command line.
    std::vector<WCHAR> rgchCommand(strCommand.begin(), strCommand.end());
    rgchCommand.push_back(L'\0');

    STARTUPINFOW si = {};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessW(pszProgram, rgchCommand.data(), NULL, NULL, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, (void*)pszEnvironment, pszCurrentFolder,
                        &si, &pi)) {
        return FALSE;
    }
    CloseHandle(pi.hThread);
    m_hProcess = pi.hProcess;
    m_dwProcessId = pi.dwProcessId;
    return TRUE;
}

BOOL TestProcess::Attach(DWORD dwProcessId)
{
    if (NULL != m_hProcess || 0 == dwProcessId) {
        return FALSE;
    }
    // Query: for its exit code and its times.
    m_hProcess = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE,
                             dwProcessId);
    if (NULL == m_hProcess) {
        return FALSE;
    }
    m_dwProcessId = dwProcessId;
    return TRUE;
}

BOOL TestProcess::Wait(DWORD dwTimeoutMs, DWORD* pdwExitCode)
{
    if (NULL == m_hProcess || WAIT_OBJECT_0 != WaitForSingleObject(m_hProcess, dwTimeoutMs)) {
        return FALSE;
    }
    DWORD dwExitCode = 0;
    if (!GetExitCodeProcess(m_hProcess, &dwExitCode)) {
        return FALSE;
    }
    if (NULL != pdwExitCode) {
        *pdwExitCode = dwExitCode;
    }
    return TRUE;
}

void TestProcess::Close()
{
    if (NULL == m_hProcess) {
        return;
    }
    if (WAIT_TIMEOUT == WaitForSingleObject(m_hProcess, 0)) {
        TerminateProcess(m_hProcess, 1);
        WaitForSingleObject(m_hProcess, 5000);
    }
    CloseHandle(m_hProcess);
    m_hProcess = NULL;
    m_dwProcessId = 0;
}

BOOL StartModuleProcess(TestProcess& process, const WCHAR* pszProgram, HWND hWndReceiver,
                        const WCHAR* pszCurrentFolder)
{
    WCHAR szHandle[16];
    _snwprintf(szHandle, ARRAYSIZE(szHandle), TVX_HANDLE_FORMAT, (DWORD)(UINT_PTR)hWndReceiver);
    szHandle[ARRAYSIZE(szHandle) - 1] = L'\0';
    return process.Start(pszProgram, szHandle, pszCurrentFolder);
}
