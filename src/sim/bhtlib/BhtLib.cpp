// BHTLib.dll: the stand-in for the BHT terminals' library, on the
// simulated-terminal machinery (sim/SimTerminal.h). The caller polls it, so
// it reads its feed on each BHT_GetBarNum; each fed label is one decoded
// read, with its code-type letter and length given in braces:
//     {type=W}0112345678901234       type letter (default M), length = label's
//     {type=K len=40}ABC             the length the library reports
// Every call is logged; the good-read beep is a real Beep of the given pitch
// and length, sounded on a thread of its own so that the caller goes on.
//
// Conditions it reads:
//   model=B20QWC       the text of system setting 4, the terminal model
//                      (default B30BWC)
//   model-value=N      its numeric out value (default 0)
//   beep=off           log the beep but sound nothing
//   refuse=BHT_...     any call by its name (sim/SimConditions.h)
#include "vendor/BhtLib.h"

#include <string.h>

#include <new>
#include <string>

#include "sim/SimTerminal.h"

#define SIM_BHT_REFUSED 0xA0000201
#define SIM_BHT_NO_DATA 0xA0000202
#define SIM_BHT_BAD_ARGUMENT 0xA0000203
#define SIM_BHT_UNKNOWN_SETTING 0xA0000204

// The read's letter when the feed names none: a type that every filter passes.
#define SIM_BHT_DEFAULT_TYPE 'M'
// A beep longer than this, or repeated more often, is cut: a good-read
// signal is short.
#define SIM_BHT_MAX_BEEP_TENTHS 100
#define SIM_BHT_MAX_BEEP_COUNT 10

namespace {

bool gfEnabled = false;
// The read taken last, for BHT_GetBarType.
bool gfHaveRead = false;
DWORD gdwReadType = 0;
DWORD gdwReadLength = 0;
// The good-read device: 1 beeper, 2 vibrator, 3 both.
DWORD gdwBeepVibSelect = 1;

struct BeepRequest
{
    DWORD dwOnTime;
    DWORD dwOffTime;
    DWORD dwCount;
    WORD wFrequency;
};

DWORD WINAPI BeepThread(LPVOID pParameter)
{
    BeepRequest* pBeep = static_cast<BeepRequest*>(pParameter);
    for (DWORD i = 0; i < pBeep->dwCount; i++) {
        if (pBeep->dwOnTime > 0) {
            ::Beep(pBeep->wFrequency, pBeep->dwOnTime * 100);
        }
        if (i + 1 < pBeep->dwCount) {
            Sleep(pBeep->dwOffTime * 100);
        }
    }
    delete pBeep;
    return 0;
}

DWORD ReadType(const SimLabel& label)
{
    const char* pszType = label.GetAttribute("type");
    return (NULL != pszType && '\0' != pszType[0]) ? (DWORD)(unsigned char)pszType[0]
                                                    : (DWORD)SIM_BHT_DEFAULT_TYPE;
}

DWORD ReadLength(const SimLabel& label)
{
    const char* pszLength = label.GetAttribute("len");
    long long nLength = 0;
    if (NULL != pszLength && ParseConditionNumber(pszLength, nLength) && nLength >= 0) {
        return (DWORD)nLength;
    }
    return (DWORD)label.rgText.size();
}

}

DWORD WINAPI BHT_EnableBar(LPCWSTR pszReadMode, LPCWSTR pszCodeTypes)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    if (SimRefuses("BHT_EnableBar")) {
        dwStatus = SIM_BHT_REFUSED;
    } else if (NULL == pszReadMode || NULL == pszCodeTypes) {
        dwStatus = SIM_BHT_BAD_ARGUMENT;
    } else {
        gfEnabled = true;
    }
    SimLog("BHT_EnableBar mode=%s codes=%s result=0x%lx", QuoteWide(pszReadMode).c_str(),
           QuoteWide(pszCodeTypes).c_str(), (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_DisableBar(void)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    if (SimRefuses("BHT_DisableBar")) {
        dwStatus = SIM_BHT_REFUSED;
    } else {
        gfEnabled = false;
    }
    SimLog("BHT_DisableBar result=0x%lx", (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_GetBarNum(DWORD* pdwCount)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    DWORD dwCount = 0;
    if (SimRefuses("BHT_GetBarNum")) {
        dwStatus = SIM_BHT_REFUSED;
    } else if (NULL == pdwCount) {
        dwStatus = SIM_BHT_BAD_ARGUMENT;
    } else {
        SimPollFeed();
        // Labels fed while reading is off wait until it is on again.
        dwCount = gfEnabled ? (DWORD)SimPendingLabels() : 0;
        *pdwCount = dwCount;
    }
    SimLog("BHT_GetBarNum count=%lu result=0x%lx", (unsigned long)dwCount, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_ReadBar(LPWSTR pszBuffer, DWORD cchBuffer, DWORD* pdwRead)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    SimLabel label;
    size_t cchStored = 0;
    bool fTaken = false;
    if (SimRefuses("BHT_ReadBar")) {
        dwStatus = SIM_BHT_REFUSED;
    } else if (NULL == pszBuffer || 0 == cchBuffer || NULL == pdwRead) {
        dwStatus = SIM_BHT_BAD_ARGUMENT;
    } else if (!gfEnabled || !SimTakeLabel(&label)) {
        dwStatus = SIM_BHT_NO_DATA;
    } else {
        fTaken = true;
        cchStored = label.rgText.size() < cchBuffer - 1 ? label.rgText.size() : cchBuffer - 1;
        for (size_t i = 0; i < cchStored; i++) {
            pszBuffer[i] = (WCHAR)label.rgText[i];
        }
        pszBuffer[cchStored] = L'\0';
        *pdwRead = (DWORD)cchStored;
        gfHaveRead = true;
        gdwReadType = ReadType(label);
        gdwReadLength = ReadLength(label);
    }
    SimLog("BHT_ReadBar size=%lu label=%s read=%llu result=0x%lx", (unsigned long)cchBuffer,
           fTaken ? QuoteUnits(label.rgText.data(), label.rgText.size()).c_str() : "null",
           (unsigned long long)cchStored, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_GetBarType(DWORD* pdwType, DWORD* pdwLength)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    if (SimRefuses("BHT_GetBarType")) {
        dwStatus = SIM_BHT_REFUSED;
    } else if (NULL == pdwType || NULL == pdwLength) {
        dwStatus = SIM_BHT_BAD_ARGUMENT;
    } else if (!gfHaveRead) {
        dwStatus = SIM_BHT_NO_DATA;
    } else {
        *pdwType = gdwReadType;
        *pdwLength = gdwReadLength;
    }
    char szType[2] = { (char)gdwReadType, '\0' };
    SimLog("BHT_GetBarType type=%s length=%lu result=0x%lx",
           gfHaveRead ? QuoteBytes(szType, 1).c_str() : "null", (unsigned long)gdwReadLength,
           (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_GetSysSettingWCS(DWORD dwSetting, LPWSTR pszValue, DWORD cchValue, DWORD* pdwValue)
{
    SimGuard guard;
    SimConditions conditions = SimGetConditions();
    DWORD dwStatus = 0;
    std::string strText;
    DWORD dwValue = 0;
    if (BHT_SYS_MODEL == dwSetting) {
        const char* pszModel = conditions.Get("model");
        strText = NULL == pszModel ? "B30BWC" : pszModel;
        dwValue = (DWORD)conditions.GetNumber("model-value", 0);
    }
    if (SimRefuses("BHT_GetSysSettingWCS")) {
        dwStatus = SIM_BHT_REFUSED;
    } else if (NULL == pszValue || NULL == pdwValue) {
        dwStatus = SIM_BHT_BAD_ARGUMENT;
    } else if (BHT_SYS_MODEL != dwSetting) {
        dwStatus = SIM_BHT_UNKNOWN_SETTING;
    } else {
        // At most cchValue characters, then the terminator.
        size_t cch = strText.size() < cchValue ? strText.size() : cchValue;
        for (size_t i = 0; i < cch; i++) {
            pszValue[i] = (WCHAR)(unsigned char)strText[i];
        }
        pszValue[cch] = L'\0';
    }
    // The value is reported even when the call fails, as the terminal does.
    if (NULL != pdwValue) {
        *pdwValue = dwValue;
    }
    SimLog("BHT_GetSysSettingWCS setting=%lu size=%lu text=%s value=%lu result=0x%lx",
           (unsigned long)dwSetting, (unsigned long)cchValue,
           QuoteBytes(strText.data(), strText.size()).c_str(), (unsigned long)dwValue,
           (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_SetSysSettingDW(DWORD dwSetting, DWORD dwValue)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    if (SimRefuses("BHT_SetSysSettingDW")) {
        dwStatus = SIM_BHT_REFUSED;
    } else if (BHT_BEEP_VIB_SELECT != dwSetting) {
        dwStatus = SIM_BHT_UNKNOWN_SETTING;
    } else if (dwValue < 1 || dwValue > 3) {
        dwStatus = SIM_BHT_BAD_ARGUMENT;
    } else {
        gdwBeepVibSelect = dwValue;
    }
    SimLog("BHT_SetSysSettingDW setting=0x%lx value=%lu result=0x%lx", (unsigned long)dwSetting,
           (unsigned long)dwValue, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_StartBeep(DWORD dwOnTime, DWORD dwOffTime, DWORD dwCount, WORD wFrequency)
{
    SimGuard guard;
    DWORD dwStatus = 0;
    int fSounded = 0;
    if (SimRefuses("BHT_StartBeep")) {
        dwStatus = SIM_BHT_REFUSED;
    } else {
        BeepRequest beep;
        beep.dwOnTime = dwOnTime < SIM_BHT_MAX_BEEP_TENTHS ? dwOnTime : SIM_BHT_MAX_BEEP_TENTHS;
        beep.dwOffTime = dwOffTime < SIM_BHT_MAX_BEEP_TENTHS ? dwOffTime : SIM_BHT_MAX_BEEP_TENTHS;
        beep.dwCount = dwCount < SIM_BHT_MAX_BEEP_COUNT ? dwCount : SIM_BHT_MAX_BEEP_COUNT;
        beep.wFrequency = wFrequency;
        if (2 & gdwBeepVibSelect) {
            SimLog("*vibrate on=%lu count=%lu", (unsigned long)beep.dwOnTime, (unsigned long)beep.dwCount);
        }
        const char* pszBeep = SimGetConditions().Get("beep");
        bool fBeepOff = NULL != pszBeep && 0 == strcmp(pszBeep, "off");
        if ((1 & gdwBeepVibSelect) && !fBeepOff && beep.dwCount > 0 && beep.dwOnTime > 0) {
            BeepRequest* pBeep = new (std::nothrow) BeepRequest(beep);
            HANDLE hThread = NULL == pBeep ? NULL : CreateThread(NULL, 0, BeepThread, pBeep, 0, NULL);
            if (NULL == hThread) {
                delete pBeep;
            } else {
                CloseHandle(hThread);
                fSounded = 1;
            }
        }
    }
    SimLog("BHT_StartBeep on=%lu off=%lu count=%lu frequency=%u select=%lu sounded=%d result=0x%lx",
           (unsigned long)dwOnTime, (unsigned long)dwOffTime, (unsigned long)dwCount,
           (unsigned)wFrequency, (unsigned long)gdwBeepVibSelect, fSounded, (unsigned long)dwStatus);
    return dwStatus;
}

DWORD WINAPI BHT_RF_Open(DWORD dwMode)
{
    SimGuard guard;
    DWORD dwStatus = SimRefuses("BHT_RF_Open") ? SIM_BHT_REFUSED : 0;
    SimLog("BHT_RF_Open mode=%lu result=0x%lx", (unsigned long)dwMode, (unsigned long)dwStatus);
    return dwStatus;
}
