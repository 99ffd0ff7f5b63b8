#include "host/ModuleWatch.h"

#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/MessageTexts.h"
#include "host/HostLogic.h"

// The exit code as eight hexadecimal digits.
#define EXIT_CODE_DIGITS 8

ModuleWatch::ModuleWatch() : m_hProcess(NULL) {}

ModuleWatch::~ModuleWatch()
{
    if (NULL != m_hProcess) {
        CloseHandle(m_hProcess);
    }
}

void ModuleWatch::Watch(HANDLE hProcess, const std::wstring& strPath)
{
    FATAL_ASSERT(NULL == m_hProcess);
    m_hProcess = hProcess;
    m_strPath = strPath;
}

BOOL ModuleWatch::HasEnded(DWORD* pdwExitCode) const
{
    // The exit code alone cannot tell: a module may end with STILL_ACTIVE.
    if (NULL == m_hProcess || WAIT_OBJECT_0 != WaitForSingleObject(m_hProcess, 0)) {
        return FALSE;
    }
    // The handle has every right to the process it came with.
    FATAL_ASSERT(0 != GetExitCodeProcess(m_hProcess, pdwExitCode));
    return TRUE;
}

void ModuleWatch::ShowEndedBox(DWORD dwExitCode) const
{
    WCHAR szExitCode[EXIT_CODE_DIGITS + 1];
    _snwprintf(szExitCode, ARRAYSIZE(szExitCode), L"%08X", (unsigned int)dwExitCode);
    szExitCode[EXIT_CODE_DIGITS] = L'\0';
    ShowErrorFormat(TVX_MODULE_ENDED_FORMAT,
                    { m_strPath.c_str(), szExitCode, ModuleEndedHint(dwExitCode) });
}
