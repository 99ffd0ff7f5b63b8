// The per-scan step of the host: the UTF-16 text of a WM_COPYDATA record in,
// the script's "process" run on it, its result typed.
#pragma once

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
};

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

    // One WM_COPYDATA record (lpData, cbData) for the window pTarget (null:
    // nothing known of it): converts the text, runs "process" on it and types
    // the result; a failure is reported and nothing is typed. The scan's
    // outcome is kept (GetLastOutcome). Always TRUE, the answer the module
    // gets.
    BOOL ProcessScan(const void* pvData, DWORD cbData, const ScanTarget* pTarget = NULL);

    // What became of the last scan, and how many scans the system refused
    // to let be typed whole since this object was made.
    ScanOutcome GetLastOutcome() const { return m_nLastOutcome; }
    DWORD GetRefusedScans() const { return m_cRefusedScans; }

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
    ScanOutcome m_nLastOutcome;
    DWORD m_cRefusedScans;
};
