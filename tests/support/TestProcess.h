// Starting a program of the build as a child process and waiting for it.
#pragma once

#include <windows.h>

#include <string>

// The folder of the running test program (the build's bin folder, where the
// programs and helpers under test lie), without a trailing backslash.
std::wstring GetTestProgramFolder();
// GetTestProgramFolder() + "\" + pszFileName.
std::wstring GetTestProgramPath(const WCHAR* pszFileName);

// One child process, started here or taken on (Attach). The destructor ends
// one that is still running, so that a failed test leaves nothing behind to
// disturb the next one.
class TestProcess
{
public:
    TestProcess();
    ~TestProcess();

    TestProcess(const TestProcess&) = delete;
    TestProcess& operator=(const TestProcess&) = delete;

    // CreateProcessW with pszProgram as application name and the command line
    // "\"pszProgram\" pszArguments" (just the quoted program when pszArguments
    // is NULL). pszCurrentFolder NULL keeps ours; pszEnvironment is NULL (ours)
    // or a block of "NAME=value" texts each ending in NUL, closed by one more
    // NUL. FALSE when the process cannot be started or one is already held.
    BOOL Start(const WCHAR* pszProgram, const WCHAR* pszArguments,
               const WCHAR* pszCurrentFolder = NULL, const WCHAR* pszEnvironment = NULL);
    // Takes on the process dwProcessId that this test did not start (the
    // module a host started), to wait for, read and end it as a started one.
    // FALSE when it cannot be opened or one is already held.
    BOOL Attach(DWORD dwProcessId);
    // Waits at most dwTimeoutMs for the child to end. TRUE when it ended, with
    // its exit code in *pdwExitCode (may be NULL); FALSE while it still runs.
    BOOL Wait(DWORD dwTimeoutMs, DWORD* pdwExitCode);
    // Ends a child that is still running (test clean-up only) and releases it.
    void Close();

    HANDLE GetHandle() const { return m_hProcess; }
    DWORD GetId() const { return m_dwProcessId; }

private:
    HANDLE m_hProcess;
    DWORD m_dwProcessId;
};

// Starts the module program pszProgram (a full path) as the host does: the
// command line is the quoted path, a blank and the receiver window's handle
// as eight hexadecimal digits; in pszCurrentFolder (NULL: ours).
BOOL StartModuleProcess(TestProcess& process, const WCHAR* pszProgram, HWND hWndReceiver,
                        const WCHAR* pszCurrentFolder);
