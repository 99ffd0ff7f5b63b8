#include "support/SerialScanner.h"

#include "support/SimSession.h"
#include "support/TestFiles.h"

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
    std::string strResults;
    if (TRUE != PumpUntil([&] { return TRUE == ReadWholeFile(strDone, &strResults); }, dwTimeoutMs)) {
        return FALSE;
    }
    DeleteFileW(strDone.c_str());
    // The helper writes the answer whole, one line per command.
    m_results = SplitLines(strResults);
    BOOL fOk = TRUE;
    for (const std::string& strResult : m_results) {
        fOk = fOk && 0 == strResult.compare(0, 2, "ok");
    }
    return (fOk && !m_results.empty()) ? TRUE : FALSE;
}
