// The stand-in for the LXE terminals' library LXEAPI. It plays a terminal
// whose scanner and keys come from the conditions file, and whose labels come
// from the feed:
//
//   intscanner=1     LXEHasIntScanner's answer (default 1; 0: no internal scanner)
//   keystatus=1      OstwinKeyStatus's answer (default 1)
//   pace=250         a label is announced only once the one before has been
//                    fetched and this many milliseconds have passed since;
//                    0 announces each label as soon as it is fed
//   refuse=Call[@n]  that call does nothing and returns 0
//
// Label attributes: {fail} makes its OstwinGetData fail; {len=n} makes
// OstwinGetData report the length n (0 or negative ones too) instead of the
// number of bytes it stored. A label is handed out as 8-bit text, one byte
// per character up to 0xFF ('?' for any other).
//
// While input is enabled and a window is registered, each fed label is put
// into the terminal's one data buffer, replacing data not yet fetched, and
// announced by posting LXE_DATA_MESSAGE to that window. OstwinGetData takes
// the data out of the buffer; disabling input empties it.
#include "vendor/Lxeapi.h"

#include <string.h>

#include <string>

#include "sim/SimTerminal.h"

#define DEFAULT_PACE_MS 250

namespace {

struct LxeState
{
    HWND hWnd = NULL;
    bool fEnabled = false;
    bool fHasData = false;
    SimLabel data;
    ULONGLONG ullLastFetch = 0;
};

LxeState& State()
{
    static LxeState state;
    return state;
}

void EmptyBuffer(LxeState& s)
{
    s.fHasData = false;
    s.ullLastFetch = GetTickCount64();
}

// Announces fed labels while input is enabled (watcher thread, lock held).
void Pump()
{
    LxeState& s = State();
    if (!s.fEnabled || NULL == s.hWnd) {
        return;
    }
    long long nPace = SimGetConditions().GetNumber("pace", DEFAULT_PACE_MS);
    for (;;) {
        if (nPace > 0 && (s.fHasData || GetTickCount64() - s.ullLastFetch < (ULONGLONG)nPace)) {
            return;
        }
        if (!SimTakeLabel(&s.data)) {
            return;
        }
        s.fHasData = true;
        SimPostMessage(s.hWnd, LXE_DATA_MESSAGE, 0, 0);
    }
}

}

BOOL WINAPI LXEHasIntScanner(void)
{
    SimGuard guard;
    BOOL fResult = FALSE;
    if (!SimRefuses("LXEHasIntScanner")) {
        fResult = (0 != SimGetConditions().GetNumber("intscanner", 1)) ? TRUE : FALSE;
    }
    SimLog("LXEHasIntScanner result=%d", fResult);
    return fResult;
}

int WINAPI OstwinKeyStatus(void)
{
    SimGuard guard;
    int nStatus = 0;
    if (!SimRefuses("OstwinKeyStatus")) {
        nStatus = (int)SimGetConditions().GetNumber("keystatus", 1);
    }
    SimLog("OstwinKeyStatus result=%d", nStatus);
    return nStatus;
}

BOOL WINAPI OstwinKeysOff(void)
{
    return SimPlainCall("OstwinKeysOff");
}

BOOL WINAPI OstwinSetWindow(HWND hWnd)
{
    SimGuard guard;
    BOOL fResult = FALSE;
    if (!SimRefuses("OstwinSetWindow")) {
        State().hWnd = hWnd;
        fResult = TRUE;
    }
    SimLog("OstwinSetWindow hwnd=0x%llx result=%d", (unsigned long long)(UINT_PTR)hWnd, fResult);
    return fResult;
}

BOOL WINAPI OstwinInputEnable(void)
{
    SimGuard guard;
    BOOL fResult = FALSE;
    if (!SimRefuses("OstwinInputEnable")) {
        LxeState& s = State();
        s.fEnabled = true;
        EmptyBuffer(s);
        s.ullLastFetch = 0;
        SimStartWatcher(Pump);
        fResult = TRUE;
    }
    SimLog("OstwinInputEnable result=%d", fResult);
    return fResult;
}

BOOL WINAPI OstwinInputDisable(void)
{
    SimGuard guard;
    BOOL fResult = FALSE;
    bool fDropped = false;
    if (!SimRefuses("OstwinInputDisable")) {
        LxeState& s = State();
        s.fEnabled = false;
        fDropped = s.fHasData;
        EmptyBuffer(s);
        SimStopWatcher();
        fResult = TRUE;
    }
    SimLog("OstwinInputDisable dropped=%d result=%d", fDropped ? 1 : 0, fResult);
    return fResult;
}

BOOL WINAPI OstwinGetData(char* pBuffer, LONG* plLength)
{
    SimGuard guard;
    LxeState& s = State();
    bool fRefused = SimRefuses("OstwinGetData");
    LONG lCapacity = (NULL != plLength) ? *plLength : 0;
    if (!s.fHasData || NULL == pBuffer || NULL == plLength) {
        SimLog("OstwinGetData capacity=%ld result=0 reason=nodata", lCapacity);
        return FALSE;
    }
    SimLabel label = s.data;
    EmptyBuffer(s);
    if (fRefused || NULL != label.GetAttribute("fail")) {
        SimLog("OstwinGetData capacity=%ld line=%lu result=0 reason=failed", lCapacity, label.nLine);
        return FALSE;
    }
    std::string strText = SimNarrowText(label, '?');
    size_t cb = strText.size();
    if (lCapacity < 0) {
        cb = 0;
    } else if (cb > (size_t)lCapacity) {
        cb = (size_t)lCapacity;
    }
    memcpy(pBuffer, strText.data(), cb);
    *plLength = (LONG)cb;
    long long nLength = 0;
    const char* pszLength = label.GetAttribute("len");
    if (NULL != pszLength && ParseConditionNumber(pszLength, nLength)) {
        *plLength = (LONG)nLength;
    }
    SimLog("OstwinGetData capacity=%ld line=%lu text=%s length=%ld result=1", lCapacity, label.nLine,
           QuoteBytes(strText.data(), cb).c_str(), *plLength);
    return TRUE;
}
