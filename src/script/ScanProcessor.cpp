#include "script/ScanProcessor.h"

#include <string.h>

#include <new>
#include <string>

#include "common/AnsiText.h"
#include "common/Assert.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "keyboard/TypeText.h"
#include "script/LuaApi.h"
#include "script/ScriptPlatform.h"

static UTF16UNIT ReadUnit(const unsigned char* pbData, size_t iUnit)
{
    // The record's data need not be aligned for 16-bit reads.
    UTF16UNIT nUnit;
    memcpy(&nUnit, pbData + iUnit * sizeof(UTF16UNIT), sizeof(nUnit));
    return nUnit;
}

static bool IsHighSurrogate(UTF16UNIT nUnit)
{
    return nUnit >= 0xD800 && nUnit <= 0xDBFF;
}

static bool IsLowSurrogate(UTF16UNIT nUnit)
{
    return nUnit >= 0xDC00 && nUnit <= 0xDFFF;
}

char* NarrowScanText(const void* pvData, DWORD cbData)
{
    const unsigned char* pbData = (const unsigned char*)pvData;
    size_t cUnits = (NULL != pbData) ? (size_t)cbData / sizeof(UTF16UNIT) : 0;
    size_t cchText = 0;
    while (cchText < cUnits && 0 != ReadUnit(pbData, cchText)) {
        cchText++;
    }

    // One byte per character at most: a character never takes fewer units.
    char* pszScan = new (std::nothrow) char[cchText + 1];
    FATAL_ASSERT(NULL != pszScan);
    size_t cb = 0;
    for (size_t i = 0; i < cchText; i++) {
        UTF16UNIT nUnit = ReadUnit(pbData, i);
        if (nUnit <= 0xFF) {
            pszScan[cb++] = (char)(unsigned char)nUnit;
            continue;
        }
        if (IsHighSurrogate(nUnit) && i + 1 < cchText && IsLowSurrogate(ReadUnit(pbData, i + 1))) {
            i++;
        }
        pszScan[cb++] = SCAN_REPLACEMENT_CHAR;
    }
    pszScan[cb] = '\0';
    return pszScan;
}

static BOOL TypeWithKeyboard(void* /*pvContext*/, const char* pszText,
                             DWORD nInterKeyDelay, BOOL fUnicodeTyping)
{
    return TypeText(pszText, nInterKeyDelay, fUnicodeTyping);
}

ScanProcessor::ScanProcessor(lua_State* L, DWORD nInterKeyDelay, BOOL fUnicodeTyping)
    : m_L(L),
      m_nInterKeyDelay(nInterKeyDelay),
      m_fUnicodeTyping(fUnicodeTyping),
      m_pszProcessedData(NULL),
      m_pfnError(ShowScriptRuntimeError),
      m_pvErrorContext(NULL),
      m_pfnType(TypeWithKeyboard),
      m_pvTypeContext(NULL),
      m_pfnReport(NULL),
      m_pvReportContext(NULL),
      m_fPaused(FALSE),
      m_cRefusedScans(0),
      m_cPausedScans(0)
{
    FATAL_ASSERT(NULL != L);
}

void ScanProcessor::SetInterpreter(lua_State* L)
{
    FATAL_ASSERT(NULL != L);
    m_L = L;
}

ScanProcessor::~ScanProcessor()
{
    FreeProcessedData();
}

void ScanProcessor::SetErrorProc(ScriptErrorProc pfnError, void* pvContext)
{
    m_pfnError = (NULL != pfnError) ? pfnError : ShowScriptRuntimeError;
    m_pvErrorContext = pvContext;
}

void ScanProcessor::SetTypeProc(ScriptTypeProc pfnType, void* pvContext)
{
    m_pfnType = (NULL != pfnType) ? pfnType : TypeWithKeyboard;
    m_pvTypeContext = pvContext;
}

void ScanProcessor::SetReportProc(ScanReportProc pfnReport, void* pvContext)
{
    m_pfnReport = pfnReport;
    m_pvReportContext = pvContext;
}

void ScanProcessor::Report(const ScanReport& report)
{
    m_lastReport = report;
    if (NULL != m_pfnReport) {
        m_pfnReport(m_pvReportContext, report);
    }
}

void ScanProcessor::FreeProcessedData()
{
    delete[] m_pszProcessedData;
    m_pszProcessedData = NULL;
}

// Runs inside the protected call with the scan text as its one argument. The
// lookup of "process" belongs there too: a script may give the globals a
// metatable whose __index raises an error for undefined names, and an error
// outside a protected call would end the host.
static int CallProcess(lua_State* L)
{
    // scan
    lua_getfield(L, LUA_GLOBALSINDEX, "process");               // scan process
    lua_insert(L, 1);                                           // process scan
    lua_call(L, 1, 1);                                          // result
    int nType = lua_type(L, -1);
    if (LUA_TSTRING != nType && LUA_TNUMBER != nType) {
        return luaL_error(L, TVX_PROCESS_RESULT_FORMAT, (LUA_TNIL == nType) ? "" : "a ",
                          lua_typename(L, nType));
    }
    return 1;
}

BOOL ScanProcessor::RunProcessFunction(const char* pszScan)
{
    std::wstring strError;
    if (TRUE != CallProcessFunction(pszScan, &strError)) {
        m_pfnError(m_pvErrorContext, strError.c_str());
        return FALSE;
    }
    return TRUE;
}

BOOL ScanProcessor::CallProcessFunction(const char* pszScan, std::wstring* pstrError)
{
    FATAL_ASSERT(NULL != pszScan);
    lua_State* L = m_L;
    FreeProcessedData();

    lua_pushcclosure(L, CallProcess, 0);                        // call
    lua_pushstring(L, pszScan);                                 // call scan
    if (0 != lua_pcall(L, 1, 1, 0)) {                           // error
        const char* pszError = lua_tolstring(L, -1, NULL);
        if (NULL != pszError) {
            *pstrError = WidenAnsi(pszError);
        } else {
            int nType = lua_type(L, -1);
            *pstrError = FormatText(TVX_ERROR_WITHOUT_MESSAGE_FORMAT,
                                    { (LUA_TNIL == nType) ? L"" : L"a ",
                                      WidenAnsi(lua_typename(L, nType)).c_str() });
        }
        lua_pop(L, 1);                                          // (as before)
        return FALSE;
    }
    // result (a string or a number)
    size_t cbResult = 0;
    const char* pszResult = lua_tolstring(L, -1, &cbResult);   // result as text
    m_pszProcessedData = new (std::nothrow) char[cbResult + 1];
    FATAL_ASSERT(NULL != m_pszProcessedData);
    memcpy(m_pszProcessedData, pszResult, cbResult + 1);
    lua_pop(L, 1);                                              // (as before)
    return TRUE;
}

BOOL ScanProcessor::ProcessScan(const void* pvData, DWORD cbData)
{
    char* pszScan = NarrowScanText(pvData, cbData);
    ScanReport report;
    report.strScan = pszScan;
    std::wstring strError;
    if (TRUE == m_fPaused) {
        report.nOutcome = SCAN_OUTCOME_PAUSED;
        m_cPausedScans++;
    } else if (TRUE == CallProcessFunction(pszScan, &strError)) {
        FATAL_ASSERT(NULL != m_pszProcessedData);
        report.strText = m_pszProcessedData;
        uint64_t ullStart = ReadMicroseconds();
        BOOL fTyped = m_pfnType(m_pvTypeContext, m_pszProcessedData, m_nInterKeyDelay,
                                m_fUnicodeTyping);
        report.nTypingMs = (DWORD)((ReadMicroseconds() - ullStart) / 1000u);
        if (TRUE == fTyped) {
            report.nOutcome = SCAN_OUTCOME_TYPED;
        } else {
            report.nOutcome = SCAN_OUTCOME_REFUSED_BY_WINDOWS;
            m_cRefusedScans++;
        }
        FreeProcessedData();
    } else {
        report.nOutcome = SCAN_OUTCOME_SCRIPT_ERROR;
        report.strText = NarrowAnsi(strError.c_str(), '?');
    }
    delete[] pszScan;
    Report(report);
    if (SCAN_OUTCOME_SCRIPT_ERROR == report.nOutcome) {
        m_pfnError(m_pvErrorContext, strError.c_str());
    }
    return TRUE;
}

void ScanProcessor::ReportNoTarget(const void* pvData, DWORD cbData)
{
    char* pszScan = NarrowScanText(pvData, cbData);
    ScanReport report;
    report.nOutcome = SCAN_OUTCOME_NO_TARGET;
    report.strScan = pszScan;
    delete[] pszScan;
    Report(report);
}
