// TESTSCAN.dll: the smallest stand-in on the simulated-terminal machinery.
#include "TestScanApi.h"

#include <deque>
#include <string>

#include "sim/SimTerminal.h"

static HWND ghWndNotify = NULL;
static UINT guNotifyMessage = 0;
static std::deque<std::wstring> gAnnounced;

// On the watcher thread, with the lock held: announce every new label.
static void AnnounceLabels()
{
    SimLabel label;
    while (TRUE == SimTakeLabel(&label)) {
        gAnnounced.push_back(SimWideText(label));
        SimPostMessage(ghWndNotify, guNotifyMessage, 0, 0);
    }
}

BOOL WINAPI TestScanOpen(HWND hWnd, UINT uMessage)
{
    SimGuard guard;
    BOOL fResult = SimRefuses("TestScanOpen") ? FALSE : TRUE;
    SimLog("TestScanOpen hwnd=0x%llx msg=%u result=%d", (unsigned long long)(UINT_PTR)hWnd,
           uMessage, fResult);
    if (TRUE == fResult && 0 != uMessage) {
        ghWndNotify = hWnd;
        guNotifyMessage = uMessage;
        SimStartWatcher(AnnounceLabels);
    }
    return fResult;
}

BOOL WINAPI TestScanEnableAll(void)
{
    return SimPlainCall("TestScanEnableAll");
}

BOOL WINAPI TestScanStart(void)
{
    return SimPlainCall("TestScanStart");
}

int WINAPI TestScanRead(WCHAR* pszBuffer, int cchBuffer)
{
    SimGuard guard;
    std::wstring strLabel;
    bool fHave = false;
    if (0 != guNotifyMessage) {
        if (!gAnnounced.empty()) {
            strLabel = gAnnounced.front();
            gAnnounced.pop_front();
            fHave = true;
        }
    } else {
        SimPollFeed();
        SimLabel label;
        if (TRUE == SimTakeLabel(&label)) {
            strLabel = SimWideText(label);
            fHave = true;
        }
    }
    int nLength = -1;
    if (fHave && cchBuffer > 0) {
        nLength = (int)strLabel.size() < cchBuffer ? (int)strLabel.size() : cchBuffer - 1;
        wmemcpy(pszBuffer, strLabel.data(), (size_t)nLength);
        pszBuffer[nLength] = L'\0';
    }
    SimLog("TestScanRead capacity=%d text=%s result=%d", cchBuffer,
           nLength >= 0 ? QuoteWide(pszBuffer).c_str() : "null", nLength);
    return nLength;
}

BOOL WINAPI TestScanStop(void)
{
    SimGuard guard;
    SimLog("TestScanStop result=1");
    return TRUE;
}

void WINAPI TestScanClose(void)
{
    SimGuard guard;
    SimStopWatcher();
    ghWndNotify = NULL;
    guNotifyMessage = 0;
    gAnnounced.clear();
    SimLog("TestScanClose");
}

void WINAPI TestScanNote(const char* pszStep)
{
    SimLog("TestScanNote step=%s", QuoteBytes(pszStep, strlen(pszStep)).c_str());
}
