// The per-scan step of the host: the UTF-16 text of a WM_COPYDATA record in,
// the script's "process" run on it, its result typed.
#pragma once

#include <string>

#include "common/Types.h"
#include "script/ScanTarget.h"

struct lua_State;

// The character typed for a scan character above U+00FF, which 8-bit text
// cannot hold (a surrogate pair is one character and gives one).
#define SCAN_REPLACEMENT_CHAR '?'

// Converts the text of a copy-data record to 8-bit text in a new buffer
// (release it with delete[]). The record comes from another process: at most
// cbData bytes are read from pvData, in whole 16-bit units (an odd last byte
// is ignored), and the text ends at the first NUL unit or at the end of the
// data, whichever comes first. A null pvData or a cbData below 2 is the empty
// text. Units 1 to 0xFF become the byte of the same value, anything above
// becomes SCAN_REPLACEMENT_CHAR.
char* NarrowScanText(const void* pvData, DWORD cbData);
// The same text as a string.
std::string NarrowScanString(const void* pvData, DWORD cbData);

// Shows a script's failure on one scan: the box "Script Runtime Error" owned
// by the window pvOwner (an HWND, may be null), error icon, foreground and
// topmost. Natively the text goes to standard error.
void ShowScriptRuntimeError(void* pvOwner, const WCHAR* pszText);

// Where a script's failure on one scan is reported, and where its result is
// typed. The host keeps the defaults (ShowScriptRuntimeError with its main
// window as owner; TypeText); tools and tests print or record instead. The
// type procedure answers as TypeText does: TRUE when the text was typed
// whole, FALSE when the system refused its input.
typedef void (*ScriptErrorProc)(void* pvContext, const WCHAR* pszText);
typedef BOOL (*ScriptTypeProc)(void* pvContext, const char* pszText,
                               DWORD nInterKeyDelay, BOOL fUnicodeTyping);

// What became of a scan.
enum ScanOutcome
{
    SCAN_OUTCOME_NONE,                // no scan yet
    SCAN_OUTCOME_TYPED,               // the script's result was typed whole
    SCAN_OUTCOME_SCRIPT_ERROR,        // the script failed; nothing was typed
    SCAN_OUTCOME_REFUSED_BY_WINDOWS,  // the system refused the typing part-way
    SCAN_OUTCOME_PAUSED,              // typing was paused: neither run nor typed
    SCAN_OUTCOME_NO_TARGET,           // no window of the user to type into: neither run nor typed
};

// What became of one scan, as the host's scan log records it. Every field of
// a "scan" line comes from here: a new one is a member here and one call in
// FormatScanLine (host/ScanLog.cpp).
struct ScanReport
{
    ScanOutcome nOutcome = SCAN_OUTCOME_NONE;
    // The scan as the script receives it (NarrowScanText).
    std::string strScan;
    // The script's result (typed whole, or refused part-way), or the message
    // of a script error in 8-bit text; empty when the script did not run.
    std::string strText;
    // How long typing took, in milliseconds; 0 when nothing was typed.
    DWORD nTypingMs = 0;
    // The application of the window the scan went to ("" when unknown).
    std::string strApp;
    // How it was typed (TypingModeName: "keys" or "unicode"); "" when
    // typing did not begin.
    const char* pszMode = "";
};

// Receives the report of each scan as soon as its outcome is known.
typedef void (*ScanReportProc)(void* pvContext, const ScanReport& report);

// Runs the script on scans for the main window. One object per window, made
// once the typing settings are known; the interpreter is not owned.
//
// "process" is called with the scan and a table describing where it goes:
// app, title and class of the ScanTarget, rdp (TRUE when the scan is to go as
// key strokes), layout and module of the ScanSettings. A table returned as its
// second result holds rdp = true or false, which decides the mode of that one
// scan; any other second result that is no table is ignored.
class ScanProcessor
{
public:
    ScanProcessor(lua_State* L, const ScanSettings& settings);
    // Every scan in one mode (Unicode characters when fUnicodeTyping is TRUE),
    // with an empty layout and module.
    ScanProcessor(lua_State* L, DWORD nInterKeyDelay, BOOL fUnicodeTyping);
    ~ScanProcessor();

    ScanProcessor(const ScanProcessor&) = delete;
    ScanProcessor& operator=(const ScanProcessor&) = delete;

    // pfnError null restores ShowScriptRuntimeError; pfnType null restores TypeText.
    void SetErrorProc(ScriptErrorProc pfnError, void* pvContext);
    void SetTypeProc(ScriptTypeProc pfnType, void* pvContext);
    // Where each scan's report goes (none by default, and after null).
    void SetReportProc(ScanReportProc pfnReport, void* pvContext);

    // The interpreter to use from now on: the one that replaced it on a reload.
    void SetInterpreter(lua_State* L);

    // While paused, scans are neither run nor typed, only counted.
    void SetPaused(BOOL fPaused) { m_fPaused = fPaused; }
    BOOL IsPaused() const { return m_fPaused; }

    // One WM_COPYDATA record (lpData, cbData) for the window pTarget (null:
    // nothing known of it): converts the text, runs "process" on it and types
    // the result; a failure is reported and nothing is typed. The scan's
    // report is kept (GetLastReport) and handed on before a failure's box
    // opens, so that a scan handled while the box is open is reported after
    // this one. Always TRUE, the answer the module gets.
    BOOL ProcessScan(const void* pvData, DWORD cbData, const ScanTarget* pTarget = NULL);
    // Reports a scan that is neither run nor typed because the host has no
    // window of the user to type into.
    void ReportNoTarget(const void* pvData, DWORD cbData);

    // What became of the last scan, and how many scans the system refused
    // to let be typed whole, or arrived while paused, since this object was made.
    const ScanReport& GetLastReport() const { return m_lastReport; }
    ScanOutcome GetLastOutcome() const { return m_lastReport.nOutcome; }
    DWORD GetRefusedScans() const { return m_cRefusedScans; }
    DWORD GetPausedScans() const { return m_cPausedScans; }
    const ScanSettings& GetSettings() const { return m_settings; }

    // Calls "process" with pszScan and the description of the last target,
    // keeps its result in m_pszProcessedData and the scan's mode. FALSE when
    // the call failed, returned anything but a string or a number, or a
    // malformed override; the error has then been reported.
    BOOL RunProcessFunction(const char* pszScan);

    // The result of the last successful RunProcessFunction, until ProcessScan
    // has typed and freed it; null otherwise.
    const char* GetProcessedData() const { return m_pszProcessedData; }

private:
    void FreeProcessedData();
    // RunProcessFunction without reporting the error: its text in *pstrError.
    BOOL CallProcessFunction(const char* pszScan, std::wstring* pstrError);
    // Keeps the report and hands it on.
    void Report(const ScanReport& report);
    // Reports a scan that was neither run nor typed, with its outcome.
    void ReportUnrun(const void* pvData, DWORD cbData, ScanOutcome nOutcome);

    lua_State* m_L;
    ScanSettings m_settings;
    // The window of the scan being handled (or the last one), and whether it
    // goes as key strokes: the settings' choice for it, then the script's
    // override once "process" has returned.
    ScanTarget m_target;
    BOOL m_fKeyStrokes;
    char* m_pszProcessedData;
    ScriptErrorProc m_pfnError;
    void* m_pvErrorContext;
    ScriptTypeProc m_pfnType;
    void* m_pvTypeContext;
    ScanReportProc m_pfnReport;
    void* m_pvReportContext;
    BOOL m_fPaused;
    ScanReport m_lastReport;
    DWORD m_cRefusedScans;
    DWORD m_cPausedScans;
};
