#include "modules/dravet/BhtLogic.h"

#include <wchar.h>

#include "common/Assert.h"
#include "common/MyString.h"

BhtTerminal ClassifyTerminal(DWORD dwStatus, const WCHAR* pszModel, DWORD dwValue)
{
    BhtTerminal terminal;
    if (0 == dwStatus && NULL != pszModel
        && (0 == wcscmp(pszModel, L"B20QWC") || 0 == wcscmp(pszModel, L"B22QWC"))) {
        terminal.bQType = TRUE;
        terminal.dwNoStandard2of5 = TRUE;
    } else {
        terminal.bQType = 1 == dwValue ? TRUE : FALSE;
        terminal.dwNoStandard2of5 = dwValue;
    }
    return terminal;
}

static void AppendEntry(std::wstring& strList, const std::wstring& strEntry)
{
    if (!strList.empty()) {
        strList += L',';
    }
    strList += strEntry;
}

// "X:min-max", with "C" after it when the option is 1.
static std::wstring LengthEntry(WCHAR chType, int32_t nMin, int32_t nMax, int32_t nOption)
{
    std::wstring strEntry(1, chType);
    strEntry += L':';
    strEntry += std::to_wstring(nMin);
    strEntry += L'-';
    strEntry += std::to_wstring(nMax);
    if (1 == nOption) {
        strEntry += L'C';
    }
    return strEntry;
}

std::wstring BuildCodeTypeList(const SymbologyConfig& c, const BhtTerminal& terminal)
{
    std::wstring strList;
    if (TRUE == terminal.bQType) {
        AppendEntry(strList, L"Q:E,Y,Z");
    }
    // EAN-13 and UPC-A share one entry; the read filter tells them apart.
    if (TRUE == c.bEAN13 || TRUE == c.bUPCA) {
        AppendEntry(strList, L"A:AS");
    }
    if (TRUE == c.bEAN8) {
        AppendEntry(strList, L"A:BS");
    }
    if (TRUE == c.bUPCE0) {
        AppendEntry(strList, L"A:CS");
    }
    if (TRUE == c.code39.bEnabled) {
        AppendEntry(strList, LengthEntry(L'M', c.code39.nMin, c.code39.nMax, c.code39.nOption));
    }
    // Code 128 and GS1-128 share one entry covering both ranges; the read
    // filter applies each range to its own type.
    if (TRUE == c.code128.bEnabled || TRUE == c.ean128.bEnabled) {
        int32_t nLo = 100;
        int32_t nHi = 0;
        if (TRUE == c.code128.bEnabled) {
            nLo = c.code128.nMin;
            nHi = c.code128.nMax;
        }
        if (TRUE == c.ean128.bEnabled) {
            nLo = c.ean128.nMin < nLo ? c.ean128.nMin : nLo;
            nHi = c.ean128.nMax > nHi ? c.ean128.nMax : nHi;
        }
        AppendEntry(strList, LengthEntry(L'K', nLo, nHi, 0));
    }
    if (TRUE == c.codabar.bEnabled) {
        AppendEntry(strList, LengthEntry(L'N', c.codabar.nMin, c.codabar.nMax, c.codabar.nOption));
    }
    if (TRUE == c.interleave2of5.bEnabled) {
        AppendEntry(strList, LengthEntry(L'I', c.interleave2of5.nMin, c.interleave2of5.nMax,
                                         c.interleave2of5.nOption));
    }
    if (0 == terminal.dwNoStandard2of5 && TRUE == c.standard2of5.bEnabled) {
        AppendEntry(strList, LengthEntry(L'H', c.standard2of5.nMin, c.standard2of5.nMax,
                                         c.standard2of5.nOption));
    }
    return strList;
}

static BOOL IsLengthWithin(const VariableSymbology& symbology, DWORD dwLength)
{
    return TRUE == symbology.bEnabled
        && (int64_t)symbology.nMin <= (int64_t)dwLength && (int64_t)dwLength <= (int64_t)symbology.nMax
        ? TRUE : FALSE;
}

BOOL PassesReadFilter(const SymbologyConfig& c, DWORD dwType, WCHAR chFirst, DWORD dwLength)
{
    switch (dwType) {
    case BHT_TYPE_EAN_UPC:
        // A UPC-A label reads as an EAN-13 with a leading 0.
        return L'0' == chFirst ? (TRUE == c.bUPCA ? TRUE : FALSE) : (TRUE == c.bEAN13 ? TRUE : FALSE);
    case BHT_TYPE_EAN128:
        return IsLengthWithin(c.ean128, dwLength);
    case BHT_TYPE_CODE128:
        return IsLengthWithin(c.code128, dwLength);
    default:
        return TRUE;
    }
}

DWORD ParseBeeperVibratorMode(const WCHAR* pszMode)
{
    FATAL_ASSERT(NULL != pszMode);
    static const NamedValue<DWORD> rgModes[] = {
        { L"None", BHT_FEEDBACK_NONE },
        { L"Beeper", BHT_FEEDBACK_BEEPER },
        { L"Vibrator", BHT_FEEDBACK_VIBRATOR },
        { L"Both", BHT_FEEDBACK_BOTH },
    };
    return FindNamedValue(rgModes, pszMode, (DWORD)BHT_FEEDBACK_BEEPER);
}

BOOL GetGoodReadBeep(const WCHAR* pszMode, const WCHAR* pszBeepTime, const WCHAR* pszBeepFrequency,
                     BhtBeep* pBeep)
{
    if (NULL != pszMode && TRUE == EqualsNoCase(pszMode, L"None")) {
        return FALSE;
    }
    uint64_t nTime = ParseUnsignedSetting(pszBeepTime);
    if (nTime > BHT_MAX_BEEP_TIME) {
        nTime = BHT_MAX_BEEP_TIME;
    }
    pBeep->dwOnTime = (DWORD)(nTime / 100);
    pBeep->dwOffTime = 1;
    pBeep->dwCount = 1;
    pBeep->wFrequency = (WORD)(ParseUnsignedSetting(pszBeepFrequency) & 0xFFFF);
    return TRUE;
}
