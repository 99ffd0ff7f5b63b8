#include "support/SerialScanner.h"

#include "support/SimSession.h"
#include "support/TestFiles.h"

// How often a wait looks for the helper's answer.
#define SERIAL_SCANNER_POLL_MS 10

SerialScanner::SerialScanner() : m_nCommand(0)
{
    WCHAR szFolder[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(SERIAL_SCANNER_VARIABLE, szFolder, MAX_PATH);
    if (0 == cch || cch >= MAX_PATH) {
        return;
    }
    m_strFolder.assign(szFolder, cch);
    std::string strReady;
    if (TRUE == ReadWholeFile(m_strFolder + L"\\ready", &strReady)) {
        m_strPort = strReady.substr(0, strReady.find_first_of("\r\n"));
    }
}

BOOL SerialScanner::Run(const std::string& strCommands, DWORD dwTimeoutMs)
{
    m_results.clear();
    if (FALSE == IsReady()) {
        return FALSE;
    }
    // Names in the order of the commands: the helper runs the files sorted.
    WCHAR szName[32];
    _snwprintf(szName, 32, L"\\%05lu-%010u", GetCurrentProcessId() % 100000, ++m_nCommand);
    szName[31] = L'\0';
    std::wstring strBase = m_strFolder + szName;
    std::wstring strDone = strBase + L".done";
    DeleteFileW(strDone.c_str());
    // Written whole under another name first: the helper never reads half a file.
    if (TRUE != WriteTextFile(strBase + L".tmp", strCommands + "\n") ||
        !MoveFileExW((strBase + L".tmp").c_str(), (strBase + L".cmd").c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return FALSE;
    }
    ULONGLONG ullStart = GetTickCount64();
    std::string strResults;
    while (TRUE != ReadWholeFile(strDone, &strResults)) {
        if (GetTickCount64() - ullStart >= dwTimeoutMs) {
            return FALSE;
        }
        PumpWait(NULL, SERIAL_SCANNER_POLL_MS);
    }
    DeleteFileW(strDone.c_str());
    BOOL fOk = TRUE;
    size_t iStart = 0;
    while (iStart < strResults.size()) {
        size_t iEnd = strResults.find('\n', iStart);
        if (std::string::npos == iEnd) {
            iEnd = strResults.size();
        }
        m_results.push_back(strResults.substr(iStart, iEnd - iStart));
        fOk = fOk && 0 == m_results.back().compare(0, 2, "ok");
        iStart = iEnd + 1;
    }
    return (fOk && !m_results.empty()) ? TRUE : FALSE;
}
