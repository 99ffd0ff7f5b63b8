#include "sim/SimTerminal.h"

#include <stdarg.h>
#include <stdio.h>

#include <deque>
#include <map>
#include <vector>

namespace {

struct SimState
{
    SimState() { InitializeCriticalSection(&cs); }

    CRITICAL_SECTION cs;
    bool fPathsRead = false;
    std::wstring strFeedPath;
    std::wstring strConditionsPath;
    std::wstring strLogPath;
    unsigned long long nFeedOffset = 0;
    SimFeedLines feedLines;
    std::deque<SimLabel> labels;
    std::map<std::string, unsigned long> callCounts;
    HANDLE hWatcher = NULL;
    HANDLE hWatcherStop = NULL;
    void (*pfnPump)() = NULL;
};

SimState& State()
{
    static SimState state;
    return state;
}

std::wstring ReadVariable(const WCHAR* pszName)
{
    DWORD cch = GetEnvironmentVariableW(pszName, NULL, 0);
    if (0 == cch) {
        return std::wstring();
    }
    std::wstring strValue(cch, L'\0');
    cch = GetEnvironmentVariableW(pszName, &strValue[0], cch);
    strValue.resize(cch);
    return strValue;
}

// The paths are read once: the environment is the one the module started with.
void ReadPaths(SimState& s)
{
    if (!s.fPathsRead) {
        s.strFeedPath = ReadVariable(SIM_FEED_VARIABLE);
        s.strConditionsPath = ReadVariable(SIM_CONDITIONS_VARIABLE);
        s.strLogPath = ReadVariable(SIM_LOG_VARIABLE);
        s.fPathsRead = true;
    }
}

// Reads the file from nOffset to its end; false when it cannot be opened.
// A file shorter than nOffset sets *pfShorter.
bool ReadFileTail(const std::wstring& strPath, unsigned long long nOffset, std::string& strData,
                  bool* pfShorter)
{
    strData.clear();
    *pfShorter = false;
    HANDLE hFile = CreateFileW(strPath.c_str(), GENERIC_READ,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (INVALID_HANDLE_VALUE == hFile) {
        return false;
    }
    LARGE_INTEGER size;
    if (GetFileSizeEx(hFile, &size) && (unsigned long long)size.QuadPart < nOffset) {
        *pfShorter = true;
        nOffset = 0;
    }
    LARGE_INTEGER position;
    position.QuadPart = (LONGLONG)nOffset;
    if (SetFilePointerEx(hFile, position, NULL, FILE_BEGIN)) {
        char buffer[4096];
        DWORD cbRead = 0;
        while (ReadFile(hFile, buffer, sizeof(buffer), &cbRead, NULL) && cbRead > 0) {
            strData.append(buffer, cbRead);
        }
    }
    CloseHandle(hFile);
    return true;
}

void LogFeedLabel(const SimLabel& label)
{
    std::string strAttributes;
    for (const auto& attribute : label.attributes) {
        strAttributes += ' ';
        strAttributes += attribute.first;
        if (!attribute.second.empty()) {
            strAttributes += '=';
            strAttributes += attribute.second;
        }
    }
    SimLog("*feed line=%lu label=%s%s", label.nLine,
           QuoteUnits(label.rgText.data(), label.rgText.size()).c_str(), strAttributes.c_str());
}

DWORD WINAPI WatcherThread(LPVOID pParameter)
{
    HANDLE hStop = static_cast<HANDLE>(pParameter);
    SimState& s = State();
    while (WAIT_TIMEOUT == WaitForSingleObject(hStop, SIM_WATCH_PERIOD)) {
        // Never block on the lock: the module thread may stop the watcher
        // while it holds the lock, and then waits for this thread to end.
        if (!TryEnterCriticalSection(&s.cs)) {
            continue;
        }
        SimPollFeed();
        if (NULL != s.pfnPump) {
            s.pfnPump();
        }
        LeaveCriticalSection(&s.cs);
    }
    return 0;
}

}

SimGuard::SimGuard()
{
    EnterCriticalSection(&State().cs);
}

SimGuard::~SimGuard()
{
    LeaveCriticalSection(&State().cs);
}

void SimLog(const char* pszFormat, ...)
{
    SimGuard guard;
    SimState& s = State();
    ReadPaths(s);
    if (s.strLogPath.empty()) {
        return;
    }
    va_list args;
    va_start(args, pszFormat);
    va_list argsCopy;
    va_copy(argsCopy, args);
    int cch = vsnprintf(NULL, 0, pszFormat, args);
    va_end(args);
    if (cch < 0) {
        va_end(argsCopy);
        return;
    }
    std::vector<char> line((size_t)cch + 2);
    vsnprintf(line.data(), line.size(), pszFormat, argsCopy);
    va_end(argsCopy);
    line[(size_t)cch] = '\n';

    // Opened for each line, for appending only: both stand-ins of a module
    // may write to the same log, and a reader may look at any time.
    HANDLE hFile = CreateFileW(s.strLogPath.c_str(), FILE_APPEND_DATA,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (INVALID_HANDLE_VALUE == hFile) {
        return;
    }
    DWORD cbWritten = 0;
    WriteFile(hFile, line.data(), (DWORD)cch + 1, &cbWritten, NULL);
    CloseHandle(hFile);
}

SimConditions SimGetConditions()
{
    SimGuard guard;
    SimState& s = State();
    ReadPaths(s);
    SimConditions conditions;
    std::string strText;
    bool fShorter = false;
    if (!s.strConditionsPath.empty() && ReadFileTail(s.strConditionsPath, 0, strText, &fShorter)) {
        conditions.Parse(strText);
    }
    return conditions;
}

BOOL SimRefuses(const char* pszCall)
{
    SimGuard guard;
    unsigned long nCall = ++State().callCounts[pszCall];
    return SimGetConditions().Refuses(pszCall, nCall) ? TRUE : FALSE;
}

BOOL SimPlainCall(const char* pszCall)
{
    SimGuard guard;
    BOOL fResult = SimRefuses(pszCall) ? FALSE : TRUE;
    SimLog("%s result=%d", pszCall, fResult);
    return fResult;
}

void SimPollFeed()
{
    SimGuard guard;
    SimState& s = State();
    ReadPaths(s);
    if (s.strFeedPath.empty()) {
        return;
    }
    std::string strData;
    bool fShorter = false;
    if (!ReadFileTail(s.strFeedPath, s.nFeedOffset, strData, &fShorter)) {
        return;
    }
    if (fShorter) {
        // The feed was written anew: start again at its first line.
        s.nFeedOffset = 0;
        s.feedLines = SimFeedLines();
        SimLog("*feed-restart");
    }
    s.nFeedOffset += strData.size();
    s.feedLines.Append(strData.data(), strData.size());

    std::string strLine;
    while (s.feedLines.NextLine(strLine)) {
        SimLabel label;
        std::string strError;
        if (ParseFeedLine(strLine, s.feedLines.GetLineNumber(), label, strError)) {
            LogFeedLabel(label);
            s.labels.push_back(label);
        } else {
            SimLog("*feed-error line=%lu reason=%s", s.feedLines.GetLineNumber(),
                   QuoteBytes(strError.data(), strError.size()).c_str());
        }
    }
}

BOOL SimTakeLabel(SimLabel* pLabel)
{
    SimGuard guard;
    SimState& s = State();
    if (s.labels.empty()) {
        return FALSE;
    }
    *pLabel = s.labels.front();
    s.labels.pop_front();
    return TRUE;
}

size_t SimPendingLabels()
{
    SimGuard guard;
    return State().labels.size();
}

void SimStartWatcher(void (*pfnPump)())
{
    SimGuard guard;
    SimState& s = State();
    if (NULL != s.hWatcher) {
        return;
    }
    s.hWatcherStop = CreateEventW(NULL, TRUE, FALSE, NULL);
    if (NULL == s.hWatcherStop) {
        return;
    }
    s.pfnPump = pfnPump;
    s.hWatcher = CreateThread(NULL, 0, WatcherThread, s.hWatcherStop, 0, NULL);
    if (NULL == s.hWatcher) {
        CloseHandle(s.hWatcherStop);
        s.hWatcherStop = NULL;
        s.pfnPump = NULL;
    }
}

void SimStopWatcher()
{
    SimGuard guard;
    SimState& s = State();
    if (NULL == s.hWatcher) {
        return;
    }
    SetEvent(s.hWatcherStop);
    WaitForSingleObject(s.hWatcher, 1000);
    CloseHandle(s.hWatcher);
    CloseHandle(s.hWatcherStop);
    s.hWatcher = NULL;
    s.hWatcherStop = NULL;
    s.pfnPump = NULL;
}

BOOL SimPostMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    BOOL fPosted = PostMessageW(hWnd, uMsg, wParam, lParam) ? TRUE : FALSE;
    SimLog("*post hwnd=0x%llx msg=%u wparam=0x%llx lparam=0x%llx result=%d",
           (unsigned long long)(UINT_PTR)hWnd, uMsg, (unsigned long long)wParam,
           (unsigned long long)lParam, fPosted);
    return fPosted;
}

std::wstring SimWideText(const SimLabel& label)
{
    return std::wstring(label.rgText.begin(), label.rgText.end());
}

std::string SimNarrowText(const SimLabel& label, char chReplacement)
{
    std::string strText;
    strText.reserve(label.rgText.size());
    for (UTF16UNIT nUnit : label.rgText) {
        strText += (nUnit <= 0xFF) ? (char)nUnit : chReplacement;
    }
    return strText;
}
