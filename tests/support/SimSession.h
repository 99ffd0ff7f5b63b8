// The test side of the simulated terminals: a feed, a conditions file and a
// call log in a temporary folder, named in this process's environment so
// that every module (and host) the test starts afterwards inherits them.
// Waits pump the calling thread's messages, so a test that owns a receiver
// window keeps answering the module while it waits.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "support/TestFiles.h"

// One line of the call log: "Name key=value ...".
struct SimCall
{
    std::string strName;
    std::vector<std::pair<std::string, std::string>> args;

    // The value as written (a text still in its quotes), or NULL when absent.
    const char* Get(const char* pszKey) const;
    // A number written in decimal or with 0x; nDefault when absent or no number.
    long long GetNumber(const char* pszKey, long long nDefault) const;
    // A quoted text value with its escapes resolved; empty when absent or null.
    std::wstring GetText(const char* pszKey) const;
};

// Parses one log line; FALSE when it has no name or a quote is not closed.
BOOL ParseSimCall(const std::string& strLine, SimCall* pCall);
// Resolves the log's text escapes inside a quoted value ("..." with \\, \xNN,
// \uXXXX, \t, \r, \n); FALSE when the value is not such a text.
BOOL DecodeSimText(const std::string& strQuoted, std::wstring* pstrText);

class SimSession
{
public:
    // Makes the three files (empty) and sets TOLVEX_SIM_FEED,
    // TOLVEX_SIM_CONDITIONS and TOLVEX_SIM_LOG.
    SimSession();
    // Clears the three variables; the folder goes with its files.
    ~SimSession();

    SimSession(const SimSession&) = delete;
    SimSession& operator=(const SimSession&) = delete;

    // TRUE when the files were made and the variables set.
    BOOL IsReady() const { return m_fReady; }
    const TempFolder& GetFolder() const { return m_folder; }

    // Appends strLine and a line feed to the feed (the line as written in the
    // feed: escapes and attributes are the stand-in's to resolve).
    BOOL FeedLine(const std::string& strLine);
    // Replaces the conditions.
    BOOL SetConditions(const std::string& strText);
    // Empties the call log and the feed (before the next module starts).
    BOOL Reset();

    // Every complete line of the call log, parsed.
    std::vector<SimCall> ReadCalls() const;
    // The calls named pszName (all of them when pszName is NULL); names
    // beginning with * are the terminal's own doings.
    std::vector<SimCall> ReadCalls(const char* pszName) const;
    // Waits (pumping messages) until the log holds at least nCount calls of
    // pszName; FALSE after dwTimeoutMs.
    BOOL WaitForCalls(const char* pszName, size_t nCount, DWORD dwTimeoutMs) const;

private:
    TempFolder m_folder;
    std::wstring m_strFeed;
    std::wstring m_strConditions;
    std::wstring m_strLog;
    BOOL m_fReady;
};

// Dispatches every message waiting for this thread, then waits at most
// dwTimeoutMs for hObject (NULL: just for new messages), dispatching what
// arrives meanwhile. TRUE when hObject was signalled.
BOOL PumpWait(HANDLE hObject, DWORD dwTimeoutMs);
// Dispatches this thread's messages until fnDone() is true, asking it every
// 10 ms; FALSE when it is still false after dwTimeoutMs.
BOOL PumpUntil(const std::function<bool()>& fnDone, DWORD dwTimeoutMs);
