#include "host/ScanLog.h"

#include <stdio.h>

#include "common/Escapes.h"
#include "common/Folders.h"

namespace {

// One line under construction: the time and the kind, then tab-separated fields.
class LogLine
{
public:
    LogLine(const LogTime& time, const char* pszKind)
    {
        char szTime[32];
        snprintf(szTime, sizeof(szTime), "%04u-%02u-%02u %02u:%02u:%02u.%03u",
                 (unsigned)time.wYear, (unsigned)time.wMonth, (unsigned)time.wDay,
                 (unsigned)time.wHour, (unsigned)time.wMinute, (unsigned)time.wSecond,
                 (unsigned)time.wMilliseconds);
        m_strLine = szTime;
        Word(pszKind);
    }

    // One of our own words, which needs no escapes.
    LogLine& Word(const char* pszWord)
    {
        m_strLine += '\t';
        m_strLine += pszWord;
        return *this;
    }

    LogLine& Text(const char* pbText, size_t cbText)
    {
        m_strLine += '\t';
        if (cbText > SCAN_LOG_MAX_TEXT) {
            m_strLine += EscapeBytes(pbText, SCAN_LOG_MAX_TEXT);
            m_strLine += "...";
        } else {
            m_strLine += EscapeBytes(pbText, cbText);
        }
        return *this;
    }

    LogLine& Text(const std::string& strText) { return Text(strText.data(), strText.size()); }

    LogLine& Number(unsigned long nValue)
    {
        char szValue[24];
        snprintf(szValue, sizeof(szValue), "%lu", nValue);
        return Word(szValue);
    }

    std::string End() const { return m_strLine + "\r\n"; }

private:
    std::string m_strLine;
};

}  // namespace

const char* GetOutcomeName(ScanOutcome nOutcome)
{
    switch (nOutcome) {
    case SCAN_OUTCOME_TYPED:              return "typed";
    case SCAN_OUTCOME_SCRIPT_ERROR:       return "script-error";
    case SCAN_OUTCOME_REFUSED_BY_WINDOWS: return "refused-by-windows";
    case SCAN_OUTCOME_PAUSED:             return "paused";
    case SCAN_OUTCOME_NO_TARGET:          return "no-target";
    case SCAN_OUTCOME_NONE:               break;
    }
    return "none";
}

std::string FormatStartLine(const LogTime& time, const ScanLogStart& start)
{
    return LogLine(time, "start")
        .Text(start.strModule)
        .Text(start.strLayout)
        .Word(start.pszMode)
        .Number(start.nInterKeyDelay)
        .End();
}

std::string FormatScanLine(const LogTime& time, const ScanReport& report)
{
    return LogLine(time, "scan")
        .Word(GetOutcomeName(report.nOutcome))
        .Text(report.strScan)
        .Text(report.strText)
        .Number(report.nTypingMs)
        .Text(report.strApp)
        .Word(report.pszMode)
        .End();
}

std::string FormatScriptLogLine(const LogTime& time, const char* pbText, size_t cbText)
{
    return LogLine(time, "log").Text(pbText, cbText).End();
}

std::string FormatEndLine(const LogTime& time)
{
    return LogLine(time, "end").End();
}

BOOL IsRotationDue(uint64_t cbFile, size_t cbLine)
{
    return (cbFile > 0 && cbFile + cbLine > SCAN_LOG_MAX_BYTES) ? TRUE : FALSE;
}

ScanLog::ScanLog(const std::wstring& strFolder)
    : m_strFolder(strFolder),
      m_strPath(JoinPath(strFolder.c_str(), SCAN_LOG_FILE_NAME)),
      m_strOldPath(JoinPath(strFolder.c_str(), SCAN_LOG_OLD_FILE_NAME))
{
}

BOOL ScanLog::WriteStart(const ScanLogStart& start)
{
    return Append(FormatStartLine(GetLogTime(), start));
}

BOOL ScanLog::WriteScan(const ScanReport& report)
{
    return Append(FormatScanLine(GetLogTime(), report));
}

BOOL ScanLog::WriteScriptLog(const char* pbText, size_t cbText)
{
    return Append(FormatScriptLogLine(GetLogTime(), pbText, cbText));
}

BOOL ScanLog::WriteEnd()
{
    return Append(FormatEndLine(GetLogTime()));
}

BOOL ScanLog::Append(const std::string& strLine)
{
    LogFile hFile = OpenLogFile(m_strPath);
    // The folder is made only when the file cannot be opened, so that a log
    // that works costs one open per line.
    if (LOG_FILE_NONE == hFile && TRUE == CreateLogFolder(m_strFolder)) {
        hFile = OpenLogFile(m_strPath);
    }
    if (LOG_FILE_NONE == hFile) {
        return FALSE;
    }
    // When the old file cannot be replaced (a program holds it open without
    // sharing it), lines go on into this one rather than being lost.
    if (TRUE == IsRotationDue(GetLogFileSize(hFile), strLine.size()) &&
        TRUE == RenameLogFile(hFile, m_strPath, m_strOldPath)) {
        CloseLogFile(hFile);
        hFile = OpenLogFile(m_strPath);
        if (LOG_FILE_NONE == hFile) {
            return FALSE;
        }
    }
    BOOL fWritten = WriteLogFile(hFile, strLine);
    CloseLogFile(hFile);
    return fWritten;
}
