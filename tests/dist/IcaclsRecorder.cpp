// Takes the place of icacls.exe in the test prefix while the installer tests
// run. Wine's icacls is a stub that changes no rights, so what the tests can
// see is the command the installer gives: this appends its arguments (the
// command line after the program) as one UTF-8 line to the file named by
// ICACLS_LOG_VARIABLE and ends with the exit code ICACLS_EXIT_VARIABLE holds
// (0 without it), so that a test can also make it fail.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>

#include "dist/Installation.h"

int wmain()
{
    // The program's own name, quoted or not, and the blanks after it.
    const WCHAR* pszArgs = GetCommandLineW();
    if (L'"' == *pszArgs) {
        pszArgs = wcschr(pszArgs + 1, L'"');
        pszArgs = (NULL == pszArgs) ? L"" : pszArgs + 1;
    } else {
        while (0 != *pszArgs && L' ' != *pszArgs && L'\t' != *pszArgs) {
            pszArgs++;
        }
    }
    while (L' ' == *pszArgs || L'\t' == *pszArgs) {
        pszArgs++;
    }

    WCHAR szLog[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(ICACLS_LOG_VARIABLE, szLog, MAX_PATH);
    if (0 < cch && cch < MAX_PATH) {
        int cb = WideCharToMultiByte(CP_UTF8, 0, pszArgs, -1, NULL, 0, NULL, NULL);
        std::string strLine((size_t)(cb > 0 ? cb : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, pszArgs, -1, &strLine[0], cb, NULL, NULL);
        strLine.resize(strLine.size() - 1);
        FILE* pFile = _wfopen(szLog, L"ab");
        if (NULL == pFile) {
            return 1;
        }
        fprintf(pFile, "%s\n", strLine.c_str());
        fclose(pFile);
    }

    WCHAR szExit[16];
    cch = GetEnvironmentVariableW(ICACLS_EXIT_VARIABLE, szExit, 16);
    return (0 < cch && cch < 16) ? _wtoi(szExit) : 0;
}
