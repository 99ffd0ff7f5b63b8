#include "support/SimSession.h"

#include <stdio.h>
#include <stdlib.h>

#include "common/MyString.h"
#include "sim/SimTerminal.h"

static BOOL AppendToFile(const std::wstring& strPath, const std::string& strBytes)
{
    HANDLE hFile = CreateFileW(strPath.c_str(), FILE_APPEND_DATA,
                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (INVALID_HANDLE_VALUE == hFile) {
        return FALSE;
    }
    DWORD cbWritten = 0;
    BOOL fWritten = WriteFile(hFile, strBytes.data(), (DWORD)strBytes.size(), &cbWritten, NULL);
    CloseHandle(hFile);
    return (fWritten && cbWritten == strBytes.size()) ? TRUE : FALSE;
}

BOOL DecodeSimText(const std::string& strQuoted, std::wstring* pstrText)
{
    pstrText->clear();
    if (strQuoted.size() < 2 || '"' != strQuoted.front() || '"' != strQuoted.back()) {
        return FALSE;
    }
    size_t nEnd = strQuoted.size() - 1;
    for (size_t i = 1; i < nEnd; i++) {
        if ('\\' != strQuoted[i]) {
            *pstrText += (WCHAR)(unsigned char)strQuoted[i];
            continue;
        }
        if (++i >= nEnd) {
            return FALSE;
        }
        char chKind = strQuoted[i];
        size_t cDigits = 0;
        switch (chKind) {
        case '\\': *pstrText += L'\\'; break;
        case 't': *pstrText += L'\t'; break;
        case 'r': *pstrText += L'\r'; break;
        case 'n': *pstrText += L'\n'; break;
        case 'x': cDigits = 2; break;
        case 'u': cDigits = 4; break;
        default: return FALSE;
        }
        if (0 == cDigits) {
            continue;
        }
        unsigned nUnit = 0;
        for (size_t k = 0; k < cDigits; k++) {
            int nDigit = (i + 1 < nEnd) ? HexDigitValue((unsigned char)strQuoted[++i]) : -1;
            if (nDigit < 0) {
                return FALSE;
            }
            nUnit = nUnit * 16 + (unsigned)nDigit;
        }
        *pstrText += (WCHAR)nUnit;
    }
    return TRUE;
}

BOOL ParseSimCall(const std::string& strLine, SimCall* pCall)
{
    pCall->strName.clear();
    pCall->args.clear();
    size_t nPos = strLine.find(' ');
    pCall->strName = strLine.substr(0, nPos);
    if (pCall->strName.empty()) {
        return FALSE;
    }
    while (std::string::npos != nPos && nPos < strLine.size()) {
        nPos++;
        size_t nEquals = strLine.find('=', nPos);
        size_t nBlank = strLine.find(' ', nPos);
        if (std::string::npos == nEquals || (std::string::npos != nBlank && nBlank < nEquals)) {
            // A bare word (a flag the terminal noted).
            pCall->args.emplace_back(strLine.substr(nPos, nBlank - nPos), std::string());
            nPos = nBlank;
            continue;
        }
        std::string strKey = strLine.substr(nPos, nEquals - nPos);
        size_t nValue = nEquals + 1;
        size_t nValueEnd;
        if (nValue < strLine.size() && '"' == strLine[nValue]) {
            // Quoted texts never hold a raw double quote: it is written \x22.
            nValueEnd = strLine.find('"', nValue + 1);
            if (std::string::npos == nValueEnd) {
                return FALSE;
            }
            nValueEnd++;
        } else {
            nValueEnd = strLine.find(' ', nValue);
            if (std::string::npos == nValueEnd) {
                nValueEnd = strLine.size();
            }
        }
        pCall->args.emplace_back(strKey, strLine.substr(nValue, nValueEnd - nValue));
        nPos = nValueEnd < strLine.size() ? nValueEnd : std::string::npos;
    }
    return TRUE;
}

const char* SimCall::Get(const char* pszKey) const
{
    for (const auto& arg : args) {
        if (arg.first == pszKey) {
            return arg.second.c_str();
        }
    }
    return NULL;
}

long long SimCall::GetNumber(const char* pszKey, long long nDefault) const
{
    const char* pszValue = Get(pszKey);
    if (NULL == pszValue || '\0' == *pszValue) {
        return nDefault;
    }
    char* pEnd = NULL;
    long long nValue = strtoll(pszValue, &pEnd, 0);
    return ('\0' == *pEnd) ? nValue : nDefault;
}

std::wstring SimCall::GetText(const char* pszKey) const
{
    std::wstring strText;
    const char* pszValue = Get(pszKey);
    if (NULL != pszValue) {
        DecodeSimText(pszValue, &strText);
    }
    return strText;
}

SimSession::SimSession() : m_fReady(FALSE)
{
    if (m_folder.GetPath().empty()) {
        return;
    }
    m_strFeed = m_folder.GetFilePath(L"feed.txt");
    m_strConditions = m_folder.GetFilePath(L"conditions.txt");
    m_strLog = m_folder.GetFilePath(L"calls.log");
    if (WriteTextFile(m_strFeed, "") && WriteTextFile(m_strConditions, "") &&
        WriteTextFile(m_strLog, "") &&
        SetEnvironmentVariableW(SIM_FEED_VARIABLE, m_strFeed.c_str()) &&
        SetEnvironmentVariableW(SIM_CONDITIONS_VARIABLE, m_strConditions.c_str()) &&
        SetEnvironmentVariableW(SIM_LOG_VARIABLE, m_strLog.c_str())) {
        m_fReady = TRUE;
    }
}

SimSession::~SimSession()
{
    SetEnvironmentVariableW(SIM_FEED_VARIABLE, NULL);
    SetEnvironmentVariableW(SIM_CONDITIONS_VARIABLE, NULL);
    SetEnvironmentVariableW(SIM_LOG_VARIABLE, NULL);
}

BOOL SimSession::FeedLine(const std::string& strLine)
{
    return AppendToFile(m_strFeed, strLine + "\n");
}

BOOL SimSession::SetConditions(const std::string& strText)
{
    return WriteTextFile(m_strConditions, strText);
}

BOOL SimSession::Reset()
{
    return (WriteTextFile(m_strLog, "") && WriteTextFile(m_strFeed, "")) ? TRUE : FALSE;
}

std::vector<SimCall> SimSession::ReadCalls() const
{
    return ReadCalls(NULL);
}

std::vector<SimCall> SimSession::ReadCalls(const char* pszName) const
{
    std::vector<SimCall> calls;
    std::string strData;
    if (!ReadWholeFile(m_strLog, &strData)) {
        return calls;
    }
    for (const std::string& strLine : SplitLines(strData)) {
        SimCall call;
        if (ParseSimCall(strLine, &call) && (NULL == pszName || call.strName == pszName)) {
            calls.push_back(call);
        }
    }
    return calls;
}

BOOL SimSession::WaitForCalls(const char* pszName, size_t nCount, DWORD dwTimeoutMs) const
{
    return PumpUntil([&] { return ReadCalls(pszName).size() >= nCount; }, dwTimeoutMs);
}

static void DispatchWaiting()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

BOOL PumpWait(HANDLE hObject, DWORD dwTimeoutMs)
{
    ULONGLONG nStart = GetTickCount64();
    for (;;) {
        DispatchWaiting();
        ULONGLONG nElapsed = GetTickCount64() - nStart;
        DWORD dwLeft = nElapsed >= dwTimeoutMs ? 0 : (DWORD)(dwTimeoutMs - nElapsed);
        DWORD dwResult = MsgWaitForMultipleObjects(NULL == hObject ? 0 : 1, &hObject, FALSE, dwLeft,
                                                   QS_ALLINPUT);
        if (NULL != hObject && WAIT_OBJECT_0 == dwResult) {
            return TRUE;
        }
        if (WAIT_TIMEOUT == dwResult || WAIT_FAILED == dwResult) {
            DispatchWaiting();
            return FALSE;
        }
        if (NULL == hObject && WAIT_OBJECT_0 == dwResult && 0 == dwLeft) {
            DispatchWaiting();
            return FALSE;
        }
    }
}

BOOL PumpUntil(const std::function<bool()>& fnDone, DWORD dwTimeoutMs)
{
    ULONGLONG nStart = GetTickCount64();
    for (;;) {
        if (fnDone()) {
            return TRUE;
        }
        if (GetTickCount64() - nStart >= dwTimeoutMs) {
            return FALSE;
        }
        PumpWait(NULL, 10);
    }
}
