#include "BenchRig.h"

#include <stdio.h>

#include <algorithm>

#include "keyboard/KeyRecorder.h"
#include "keyboard/KeyTranslator.h"
#include "keyboard/TypeText.h"
#include "script/LuaApi.h"
#include "script/ScanProcessor.h"
#include "script/ScriptHost.h"
#include "sim/SimTerminal.h"
#include "support/ProcessTree.h"
#include "support/TestWindows.h"

// The example script, copied next to this program by the build.
#define BENCH_SCRIPT_PATH L"bench-wine\\script.lua"
#define HOST_WINDOW_CLASS L"Tolvex"
#define HOST_WINDOW_TITLE L"Tolvex"
// Starting a program under Wine, and ending one.
#define START_TIMEOUT_MS 10000
#define END_TIMEOUT_MS 5000

static const BenchModule grgModules[] = {
    { L"Quorlin.exe", { L"SCNAPI32.dll", L"AUDIOAPI32.dll", NULL }, "sound=off\n", NULL, NULL },
    { L"Pellimor.exe", { L"DECODER.dll", NULL, NULL }, "pace=0\n", NULL, NULL },
    { L"Dravet.exe", { L"BHTLib.dll", NULL, NULL }, "beep=off\n", L"Dravet.txt", "BeepTime=0\r\n" },
    { L"Ostwin.exe", { L"LXEAPI.dll", NULL, NULL }, "pace=0\n", NULL, NULL },
};

const BenchModule* FindBenchModule(const WCHAR* pszName)
{
    std::wstring strWithExe = std::wstring(pszName) + L".exe";
    for (const BenchModule& module : grgModules) {
        if (0 == _wcsicmp(module.pszProgram, pszName) ||
            0 == _wcsicmp(module.pszProgram, strWithExe.c_str())) {
            return &module;
        }
    }
    return NULL;
}

BenchInstallation::BenchInstallation(const BenchModule& module, DWORD nInterKeyDelay,
                                     const char* pszScript)
    : m_install(module.rgpszLibraries), m_pszModuleProgram(module.pszProgram),
      m_hWndHost(NULL), m_fReady(FALSE)
{
    for (const WCHAR* pszFile : { L"Tolvex.exe", L"lua51.dll", module.pszProgram }) {
        m_install.CopyFromBuild(pszFile, pszFile);
    }
    if (NULL == pszScript) {
        m_install.CopyFromBuild(BENCH_SCRIPT_PATH, L"script.lua");
    }

    char szSettings[160];
    _snprintf(szSettings, sizeof(szSettings),
              "InputModule=%ls\r\nKeyboardLayout=US\r\nInterKeyDelay=%lu\r\nRDPMode=FALSE\r\n",
              module.pszProgram, (unsigned long)nInterKeyDelay);
    szSettings[sizeof(szSettings) - 1] = '\0';
    m_fReady = m_sim.IsReady() && m_sim.SetConditions(module.pszConditions) &&
                       m_install.IsReady() && m_install.WriteFile(L"Tolvex.txt", szSettings) &&
                       (NULL == pszScript || m_install.WriteFile(L"script.lua", pszScript)) &&
                       (NULL == module.pszSettingsFile ||
                        m_install.WriteFile(module.pszSettingsFile, module.pszSettings))
                   ? TRUE
                   : FALSE;
}

BOOL BenchInstallation::StartHost()
{
    if (!m_install.Start(m_host, L"Tolvex.exe")) {
        return FALSE;
    }
    m_hWndHost = WaitForTopWindow(HOST_WINDOW_CLASS, HOST_WINDOW_TITLE, START_TIMEOUT_MS,
                                  m_host.GetId());
    if (NULL == m_hWndHost) {
        return FALSE;
    }
    return m_module.Attach(WaitForChildProcess(m_host.GetId(), m_pszModuleProgram, START_TIMEOUT_MS));
}

BOOL BenchInstallation::CloseHost()
{
    if (NULL == m_hWndHost || NULL == m_module.GetHandle()) {
        return FALSE;
    }
    PostMessageW(m_hWndHost, WM_CLOSE, 0, 0);
    DWORD dwHostExit = STILL_ACTIVE;
    DWORD dwModuleExit = STILL_ACTIVE;
    BOOL fHostEnded = m_host.Wait(END_TIMEOUT_MS, &dwHostExit);
    BOOL fModuleEnded = m_module.Wait(END_TIMEOUT_MS, &dwModuleExit);
    if (TRUE != fHostEnded || TRUE != fModuleEnded || 0 != dwHostExit || 0 != dwModuleExit) {
        fprintf(stderr, "host and module did not both end with 0 (host %lu, module %lu)\n",
                (unsigned long)dwHostExit, (unsigned long)dwModuleExit);
        return FALSE;
    }
    return TRUE;
}

std::string LabelScan(int i)
{
    char szLabel[64];
    _snprintf(szLabel, sizeof(szLabel), "0109501101530003" "3103001250" "15260131" "10ABC123\x1d"
              "21SERIAL%02d", i % 100);
    szLabel[sizeof(szLabel) - 1] = '\0';
    return szLabel;
}

std::string LabelFeedLine(int i)
{
    std::string strLine;
    for (char ch : LabelScan(i)) {
        if ('\x1d' == ch) {
            strLine += "\\x1d";
        } else {
            strLine += ch;
        }
    }
    return strLine;
}

std::wstring WidenScan(const std::string& strScan)
{
    std::wstring strWide;
    for (unsigned char ch : strScan) {
        strWide += (WCHAR)ch;
    }
    return strWide;
}

namespace {

struct TypingRecord
{
    RecordingKeySink sink;
    std::string strTyped;
};

BOOL RecordTyping(void* pvContext, const char* pszText, DWORD nInterKeyDelay, BOOL fUnicode)
{
    TypingRecord* pRecord = static_cast<TypingRecord*>(pvContext);
    pRecord->strTyped += pszText;
    return TypeText(&pRecord->sink, pszText, nInterKeyDelay, fUnicode);
}

void PrintScriptError(void*, const WCHAR* pszText)
{
    fprintf(stderr, "script error: %ls\n", pszText);
}

}  // namespace

BOOL ComputeExpectedTyping(const std::string& strScan, DWORD nInterKeyDelay, BOOL fUnicode,
                           ExpectedTyping* pExpected)
{
    std::string strScript;
    if (TRUE != ReadWholeFile(GetTestProgramPath(BENCH_SCRIPT_PATH), &strScript)) {
        return FALSE;
    }
    // The host's interpreter set-up, with the script read by us.
    gpLuaState = luaL_newstate();
    luaL_openlibs(gpLuaState);
    RegisterFunctions(gpLuaState, SCRIPT_TABLE_NAME);
    BOOL fLoaded = (0 == luaL_loadbuffer(gpLuaState, strScript.data(), strScript.size(), "script.lua") &&
                    0 == lua_pcall(gpLuaState, 0, 0, 0))
                       ? TRUE
                       : FALSE;
    TypingRecord record;
    gpKeyTranslatorMap = new KeyTranslatorMap(LAYOUT_US);
    if (TRUE == fLoaded) {
        ScanProcessor processor(gpLuaState, nInterKeyDelay, fUnicode);
        processor.SetErrorProc(PrintScriptError, NULL);
        processor.SetTypeProc(RecordTyping, &record);
        // The scan as the module delivers it: UTF-16 with its terminator.
        std::wstring strWide = WidenScan(strScan);
        processor.ProcessScan(strWide.c_str(), (DWORD)((strWide.size() + 1) * sizeof(WCHAR)));
    }
    delete gpKeyTranslatorMap;
    gpKeyTranslatorMap = NULL;
    CloseScript();
    if (TRUE != fLoaded || record.strTyped.empty()) {
        return FALSE;
    }

    pExpected->strText.clear();
    for (unsigned char ch : record.strTyped) {
        pExpected->strText += (WCHAR)ch;
        if ('\r' == ch) {
            pExpected->strText += L'\n';
        }
    }
    pExpected->nEvents = 0;
    pExpected->nPauses = 0;
    for (const KeyEvent& event : record.sink.getEvents()) {
        if (KEYEVENT_PAUSE == event.nKind) {
            pExpected->nPauses++;
        } else if (KEYEVENT_TIMER_BEGIN != event.nKind && KEYEVENT_TIMER_END != event.nKind) {
            pExpected->nEvents++;
        }
    }
    return TRUE;
}

SimFeedWatch::SimFeedWatch() : m_hLog(INVALID_HANDLE_VALUE), m_nFeeds(0)
{
    WCHAR szPath[MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(SIM_LOG_VARIABLE, szPath, MAX_PATH);
    if (0 == cch || cch >= MAX_PATH) {
        return;
    }
    // The stand-ins append while we read.
    m_hLog = CreateFileW(szPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                         NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (INVALID_HANDLE_VALUE != m_hLog) {
        SetFilePointer(m_hLog, 0, NULL, FILE_END);
    }
}

SimFeedWatch::~SimFeedWatch()
{
    if (INVALID_HANDLE_VALUE != m_hLog) {
        CloseHandle(m_hLog);
    }
}

BOOL SimFeedWatch::SawFeed()
{
    BOOL fSaw = FALSE;
    char rgbBuffer[4096];
    DWORD cbRead = 0;
    while (INVALID_HANDLE_VALUE != m_hLog &&
           ReadFile(m_hLog, rgbBuffer, sizeof(rgbBuffer), &cbRead, NULL) && cbRead > 0) {
        m_strPartial.append(rgbBuffer, cbRead);
        size_t iEnd;
        while (std::string::npos != (iEnd = m_strPartial.find('\n'))) {
            if (0 == m_strPartial.compare(0, 6, "*feed ")) {
                fSaw = TRUE;
                m_nFeeds++;
            }
            m_strPartial.erase(0, iEnd + 1);
        }
    }
    return fSaw;
}

double NowMs()
{
    LARGE_INTEGER liNow;
    QueryPerformanceCounter(&liNow);
    return CounterMs(liNow.QuadPart);
}

double CounterMs(LONGLONG llCounter)
{
    static LARGE_INTEGER liFrequency = {};
    if (0 == liFrequency.QuadPart) {
        QueryPerformanceFrequency(&liFrequency);
    }
    return (double)llCounter * 1000.0 / (double)liFrequency.QuadPart;
}

Summary Summarize(std::vector<double> samples)
{
    Summary summary = { samples.size(), 0, 0, 0, 0 };
    if (samples.empty()) {
        return summary;
    }
    std::sort(samples.begin(), samples.end());
    size_t n = samples.size();
    summary.dMedian = (0 == n % 2) ? (samples[n / 2 - 1] + samples[n / 2]) / 2 : samples[n / 2];
    // Nearest rank: the smallest sample with at least 95 % at or below it.
    size_t nRank = (95 * n + 99) / 100;
    summary.dP95 = samples[nRank - 1];
    summary.dMin = samples.front();
    summary.dMax = samples.back();
    return summary;
}

void PrintSummary(const char* pszWhat, const Summary& summary, const char* pszUnit)
{
    printf("%s: n=%llu median=%.1f %s p95=%.1f %s min=%.1f %s max=%.1f %s\n", pszWhat,
           (unsigned long long)summary.nCount, summary.dMedian, pszUnit, summary.dP95, pszUnit,
           summary.dMin, pszUnit, summary.dMax, pszUnit);
}

DWORD NextGapMs()
{
    // A fixed linear congruential sequence: every run feeds at the same gaps.
    static unsigned int nState = 12345;
    nState = nState * 1103515245u + 12345u;
    return (nState >> 16) % 100;
}
