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

std::string NarrowScanString(const void* pvData, DWORD cbData)
{
    char* pszScan = NarrowScanText(pvData, cbData);
    std::string strScan(pszScan);
    delete[] pszScan;
    return strScan;
}

static BOOL TypeWithKeyboard(void* /*pvContext*/, const char* pszText,
                             DWORD nInterKeyDelay, BOOL fUnicodeTyping)
{
    return TypeText(pszText, nInterKeyDelay, fUnicodeTyping);
}

ScanProcessor::ScanProcessor(lua_State* L, const ScanSettings& settings)
    : m_L(L),
      m_settings(settings),
      m_fKeyStrokes(settings.typingMode.UsesKeyStrokes(m_target.strApp)),
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

ScanProcessor::ScanProcessor(lua_State* L, DWORD nInterKeyDelay, BOOL fUnicodeTyping)
    : ScanProcessor(L, ScanSettings(nInterKeyDelay,
                                    TypingMode((TRUE == fUnicodeTyping) ? FALSE : TRUE)))
{
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

// What "process" is told about the scan's target: plain pointers into the
// processor's strings, so that nothing with a destructor lives inside the
// protected call, where a Lua error unwinds with longjmp.
struct ProcessInfo
{
    const char* pszApp;
    const char* pszTitle;
    const char* pszClass;
    BOOL fKeyStrokes;
    const char* pszLayout;
    const char* pszModule;
};

static void PushProcessInfo(lua_State* L, const ProcessInfo* pInfo)
{
    const struct
    {
        const char* pszField;
        const char* pszValue;
    } rgTexts[] = {
        { "app", pInfo->pszApp },       { "title", pInfo->pszTitle },
        { "class", pInfo->pszClass },   { "layout", pInfo->pszLayout },
        { "module", pInfo->pszModule },
    };
    lua_createtable(L, 0, (int)(sizeof(rgTexts) / sizeof(rgTexts[0])) + 1);   // info
    for (const auto& text : rgTexts) {
        lua_pushstring(L, text.pszValue);                       // info value
        lua_setfield(L, -2, text.pszField);                     // info
    }
    lua_pushboolean(L, pInfo->fKeyStrokes);                     // info rdp
    lua_setfield(L, -2, "rdp");                                 // info
}

// The article before a Lua type's name in an error text: "a string", but "nil".
static const char* TypeArticle(int nType)
{
    return (LUA_TNIL == nType) ? "" : "a ";
}

static BOOL IsRdpKey(lua_State* L, int nIndex)
{
    size_t cch = 0;
    const char* pszKey =
        (LUA_TSTRING == lua_type(L, nIndex)) ? lua_tolstring(L, nIndex, &cch) : NULL;
    return (NULL != pszKey && 3 == cch && 0 == memcmp(pszKey, "rdp", 3)) ? TRUE : FALSE;
}

// The second result of "process" on top: a table becomes its rdp (a boolean),
// anything else nil. A table with another field, or without a boolean rdp,
// raises the error that reports it.
static void TakeOverride(lua_State* L)
{
    // override
    if (LUA_TTABLE != lua_type(L, -1)) {
        lua_pop(L, 1);                                          //
        lua_pushnil(L);                                         // nil
        return;
    }
    lua_pushnil(L);                                             // override nil
    while (0 != lua_next(L, -2)) {                              // override key value
        if (TRUE != IsRdpKey(L, -2)) {
            lua_pop(L, 1);                                      // override key
            int nKeyType = lua_type(L, -1);
            if (LUA_TSTRING != nKeyType) {
                // The key is converted in place: the walk ends here anyway.
                lua_pushfstring(L, "[%s]", (LUA_TNUMBER == nKeyType) ? lua_tostring(L, -1)
                                                                     : lua_typename(L, nKeyType));
            }                                                   // override key name
            luaL_error(L, TVX_OVERRIDE_FIELD_FORMAT, lua_tostring(L, -1));
        }
        lua_pop(L, 1);                                          // override key
    }                                                           // override
    lua_pushliteral(L, "rdp");                                  // override "rdp"
    lua_rawget(L, -2);                                          // override rdp
    int nType = lua_type(L, -1);
    if (LUA_TBOOLEAN != nType) {
        luaL_error(L, TVX_OVERRIDE_RDP_FORMAT, TypeArticle(nType), lua_typename(L, nType));
    }
    lua_remove(L, -2);                                          // rdp
}

// Runs inside the protected call with the scan text and the ProcessInfo (a
// light userdata) as its arguments; returns the result and the override (rdp
// or nil). The lookup of "process" belongs there too: a script may give the
// globals a metatable whose __index raises an error for undefined names, and
// an error outside a protected call would end the host.
static int CallProcess(lua_State* L)
{
    // scan info*
    const ProcessInfo* pInfo = (const ProcessInfo*)lua_touserdata(L, 2);
    lua_pop(L, 1);                                              // scan
    lua_getfield(L, LUA_GLOBALSINDEX, "process");               // scan process
    lua_insert(L, 1);                                           // process scan
    PushProcessInfo(L, pInfo);                                  // process scan info
    lua_call(L, 2, 2);                                          // result override
    int nType = lua_type(L, -2);
    if (LUA_TSTRING != nType && LUA_TNUMBER != nType) {
        return luaL_error(L, TVX_PROCESS_RESULT_FORMAT, TypeArticle(nType),
                          lua_typename(L, nType));
    }
    TakeOverride(L);                                            // result rdp|nil
    return 2;
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
    m_fKeyStrokes = m_settings.typingMode.UsesKeyStrokes(m_target.strApp);
    ProcessInfo info = { m_target.strApp.c_str(), m_target.strTitle.c_str(),
                         m_target.strClass.c_str(), m_fKeyStrokes,
                         m_settings.strLayout.c_str(), m_settings.strModule.c_str() };

    lua_pushcclosure(L, CallProcess, 0);                        // call
    lua_pushstring(L, pszScan);                                 // call scan
    lua_pushlightuserdata(L, &info);                            // call scan info*
    if (0 != lua_pcall(L, 2, 2, 0)) {                           // error
        const char* pszError = lua_tolstring(L, -1, NULL);
        if (NULL != pszError) {
            *pstrError = WidenAnsi(pszError);
        } else {
            int nType = lua_type(L, -1);
            *pstrError = FormatText(TVX_ERROR_WITHOUT_MESSAGE_FORMAT,
                                    { WidenAnsi(TypeArticle(nType)).c_str(),
                                      WidenAnsi(lua_typename(L, nType)).c_str() });
        }
        lua_pop(L, 1);                                          // (as before)
        return FALSE;
    }
    // result (a string or a number) rdp|nil
    if (LUA_TBOOLEAN == lua_type(L, -1)) {
        m_fKeyStrokes = lua_toboolean(L, -1) ? TRUE : FALSE;
    }
    size_t cbResult = 0;
    const char* pszResult = lua_tolstring(L, -2, &cbResult);   // result as text
    m_pszProcessedData = new (std::nothrow) char[cbResult + 1];
    FATAL_ASSERT(NULL != m_pszProcessedData);
    memcpy(m_pszProcessedData, pszResult, cbResult + 1);
    lua_pop(L, 2);                                              // (as before)
    return TRUE;
}

BOOL ScanProcessor::ProcessScan(const void* pvData, DWORD cbData, const ScanTarget* pTarget)
{
    if (TRUE == m_fPaused) {
        m_cPausedScans++;
        ReportUnrun(pvData, cbData, SCAN_OUTCOME_PAUSED);
        return TRUE;
    }
    m_target = (NULL != pTarget) ? *pTarget : ScanTarget();
    ScanReport report;
    report.strScan = NarrowScanString(pvData, cbData);
    report.strApp = m_target.strApp;
    std::wstring strError;
    if (TRUE == CallProcessFunction(report.strScan.c_str(), &strError)) {
        FATAL_ASSERT(NULL != m_pszProcessedData);
        report.strText = m_pszProcessedData;
        report.pszMode = TypingModeName(m_fKeyStrokes);
        uint64_t ullStart = ReadMicroseconds();
        BOOL fTyped = m_pfnType(m_pvTypeContext, m_pszProcessedData, m_settings.nInterKeyDelay,
                                (TRUE == m_fKeyStrokes) ? FALSE : TRUE);
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
    Report(report);
    if (SCAN_OUTCOME_SCRIPT_ERROR == report.nOutcome) {
        m_pfnError(m_pvErrorContext, strError.c_str());
    }
    return TRUE;
}

void ScanProcessor::ReportNoTarget(const void* pvData, DWORD cbData)
{
    ReportUnrun(pvData, cbData, SCAN_OUTCOME_NO_TARGET);
}

void ScanProcessor::ReportUnrun(const void* pvData, DWORD cbData, ScanOutcome nOutcome)
{
    ScanReport report;
    report.nOutcome = nOutcome;
    report.strScan = NarrowScanString(pvData, cbData);
    Report(report);
}
