// The scan log: what became of every scan, one line per event, appended to
// "scans.log" in the user's own folder, so that "the scanner typed something
// wrong yesterday" can be answered. A line is
//   <local time YYYY-MM-DD hh:mm:ss.mmm> TAB <kind> [TAB <field>]... CR LF
// with every text in tolvexcli's escapes, so that no field holds a raw tab or
// line end. The line formats and the rotation decision need no window and
// are tested natively; the file calls are the platform's (ScanLog_win.cpp).
#pragma once

#include <string>

#include "common/Types.h"
#include "script/ScanProcessor.h"

// The folder of the log files under the user's local application data
// folder, and their names in it.
#define SCAN_LOG_FOLDER_NAME L"Tolvex"
#define SCAN_LOG_FILE_NAME L"scans.log"
#define SCAN_LOG_OLD_FILE_NAME L"scans.1.log"
// No file grows beyond this: a line that would take it further first renames
// it to SCAN_LOG_OLD_FILE_NAME (replacing an older one) and begins a new one.
// Only while the older one cannot be replaced does the file grow on.
#define SCAN_LOG_MAX_BYTES (1024 * 1024)
// A text is cut to this many bytes (before its escapes) and "..." follows, so
// that no line can outgrow the file; the longest scan a module sends fits.
#define SCAN_LOG_MAX_TEXT 16384

// A local time of day down to the millisecond.
struct LogTime
{
    WORD wYear;
    WORD wMonth;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

// What the "start" line holds: the host's running settings.
struct ScanLogStart
{
    std::string strModule;   // "InputModule" as written
    std::string strLayout;   // "KeyboardLayout" as written
    const char* pszMode;     // "RDPMode": "keys", "unicode" or "auto" (TypingMode::GetName)
    DWORD nInterKeyDelay;    // milliseconds, as typing uses it
};

// The lines, each with its CR LF:
//   start  <module> <layout> <keys|unicode|auto> <inter-key delay>
//   scan   <outcome> <scan> <typed text or error message> <typing ms>
//          <app of the target window> <keys|unicode, empty when nothing was typed>
//   log    <text>
//   end
std::string FormatStartLine(const LogTime& time, const ScanLogStart& start);
std::string FormatScanLine(const LogTime& time, const ScanReport& report);
std::string FormatScriptLogLine(const LogTime& time, const char* pbText, size_t cbText);
std::string FormatEndLine(const LogTime& time);

// The word of an outcome in a "scan" line: "typed", "script-error",
// "refused-by-windows", "paused" or "no-target".
const char* GetOutcomeName(ScanOutcome nOutcome);

// TRUE when a file of cbFile bytes must be renamed before a line of cbLine
// bytes is appended, because it would grow beyond SCAN_LOG_MAX_BYTES. An
// empty file never is: a line always goes somewhere.
BOOL IsRotationDue(uint64_t cbFile, size_t cbLine);

// Appends lines to the log files of one folder. Every write opens the file by
// its name and closes it again, so that whichever host of the user renames it
// first, every host then writes into the new one. A line that cannot be
// written is dropped: the log never stops or holds up typing.
class ScanLog
{
public:
    // strFolder holds the log files; it is made when missing (its parent must exist).
    explicit ScanLog(const std::wstring& strFolder);

    ScanLog(const ScanLog&) = delete;
    ScanLog& operator=(const ScanLog&) = delete;

    // Each writes its line at the time now; FALSE when it was dropped.
    BOOL WriteStart(const ScanLogStart& start);
    BOOL WriteScan(const ScanReport& report);
    BOOL WriteScriptLog(const char* pbText, size_t cbText);
    BOOL WriteEnd();

    // Appends one whole line, renaming the file first when it is due.
    BOOL Append(const std::string& strLine);

    const std::wstring& GetFilePath() const { return m_strPath; }

private:
    std::wstring m_strFolder;
    std::wstring m_strPath;
    std::wstring m_strOldPath;
};

// ---- The platform's half (ScanLog_win.cpp; natively ScanLog_posix.cpp) ----

// The local time now.
LogTime GetLogTime();

#ifdef _WIN32
// SCAN_LOG_FOLDER_NAME in the user's local application data folder; empty
// when the system cannot name that folder.
std::wstring GetScanLogFolder();
#endif

// An open log file; LOG_FILE_NONE when none.
typedef intptr_t LogFile;
#define LOG_FILE_NONE ((LogFile)-1)

// Opens or creates strPath for appending, shared so that other hosts may
// write, read and rename it meanwhile.
LogFile OpenLogFile(const std::wstring& strPath);
// Makes the folder; TRUE when it exists afterwards.
BOOL CreateLogFolder(const std::wstring& strFolder);
// The size of the open file, or 0 when it cannot be read.
uint64_t GetLogFileSize(LogFile hFile);
// Renames the file hFile has open (opened as strPath) to strNewPath, replacing
// that; the rename follows the open file even when another host has already
// renamed it.
BOOL RenameLogFile(LogFile hFile, const std::wstring& strPath, const std::wstring& strNewPath);
// Appends the bytes whole; FALSE when they were not all written.
BOOL WriteLogFile(LogFile hFile, const std::string& strBytes);
void CloseLogFile(LogFile hFile);
