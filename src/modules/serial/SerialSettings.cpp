#include "modules/serial/SerialSettings.h"

#include <wchar.h>

#include <string>

#include "common/Assert.h"
#include "common/MyString.h"

const SettingDefault grgSerialDefaults[] = {
    { SERIAL_PORT, SERIAL_DEFAULT_PORT },
    { SERIAL_BAUD_RATE, SERIAL_DEFAULT_BAUD_RATE },
    { SERIAL_DATA_BITS, SERIAL_DEFAULT_DATA_BITS },
    { SERIAL_PARITY, SERIAL_DEFAULT_PARITY },
    { SERIAL_STOP_BITS, SERIAL_DEFAULT_STOP_BITS },
    { SERIAL_FLOW_CONTROL, SERIAL_DEFAULT_FLOW_CONTROL },
    { SERIAL_TERMINATOR, SERIAL_DEFAULT_TERMINATOR },
    { SERIAL_IDLE_TIMEOUT, SERIAL_DEFAULT_IDLE_TIMEOUT },
};
const size_t gcSerialDefaults = sizeof(grgSerialDefaults) / sizeof(grgSerialDefaults[0]);

static const NamedValue<unsigned> grgDataBits[] = { { L"7", 7 }, { L"8", 8 } };
static const NamedValue<SerialParity> grgParities[] = {
    { L"None", SERIAL_PARITY_NONE }, { L"Odd", SERIAL_PARITY_ODD },     { L"Even", SERIAL_PARITY_EVEN },
    { L"Mark", SERIAL_PARITY_MARK }, { L"Space", SERIAL_PARITY_SPACE },
};
static const NamedValue<unsigned> grgStopBits[] = { { L"1", 1 }, { L"2", 2 } };
static const NamedValue<SerialFlowControl> grgFlowControls[] = {
    { L"None", SERIAL_FLOW_NONE }, { L"RtsCts", SERIAL_FLOW_RTS_CTS }, { L"XonXoff", SERIAL_FLOW_XON_XOFF },
};
static const NamedValue<SerialTerminator> grgTerminators[] = {
    { L"CR", SERIAL_TERMINATOR_CR },   { L"LF", SERIAL_TERMINATOR_LF },     { L"CRLF", SERIAL_TERMINATOR_CRLF },
    { L"Tab", SERIAL_TERMINATOR_TAB }, { L"None", SERIAL_TERMINATOR_NONE },
};

template <typename T, size_t N>
static BOOL ParseWord(const WCHAR* pszValue, const NamedValue<T> (&rgWords)[N], T* pValue)
{
    const NamedValue<T>* pWord = FindNamedEntry(rgWords, pszValue);
    if (NULL == pWord) {
        return FALSE;
    }
    *pValue = pWord->value;
    return TRUE;
}

// Decimal digits only, at least one, no sign or blank. A number beyond 64
// bits reads as the largest one.
static BOOL ParseDecimal(const WCHAR* pszValue, uint64_t* pnValue)
{
    if (NULL == pszValue || L'\0' == *pszValue) {
        return FALSE;
    }
    for (const WCHAR* p = pszValue; L'\0' != *p; p++) {
        if (*p < L'0' || *p > L'9') {
            return FALSE;
        }
    }
    *pnValue = ParseUnsignedSetting(pszValue);
    return TRUE;
}

// "COM" in any case and 1 to SERIAL_MAX_PORT, without leading zeros.
static BOOL ParsePort(const WCHAR* pszValue, unsigned* pnPort)
{
    if (NULL == pszValue) {
        return FALSE;
    }
    std::wstring strPrefix(pszValue, wcsnlen(pszValue, 3));
    uint64_t nPort = 0;
    if (TRUE != EqualsNoCase(strPrefix.c_str(), L"COM") || L'0' == pszValue[3] ||
        TRUE != ParseDecimal(pszValue + 3, &nPort) || nPort > SERIAL_MAX_PORT) {
        return FALSE;
    }
    *pnPort = (unsigned)nPort;
    return TRUE;
}

static BOOL ParseBaudRate(const WCHAR* pszValue, DWORD* pdwRate)
{
    uint64_t nRate = 0;
    if (TRUE != ParseDecimal(pszValue, &nRate) || 0 == nRate || nRate > UINT32_MAX) {
        return FALSE;
    }
    *pdwRate = (DWORD)nRate;
    return TRUE;
}

// Without a terminator a pause is the only end of a label, so it cannot be 0.
static BOOL ParseIdleTimeout(const WCHAR* pszValue, SerialTerminator terminator, DWORD* pdwTimeoutMs)
{
    uint64_t nTimeout = 0;
    if (TRUE != ParseDecimal(pszValue, &nTimeout) || (0 == nTimeout && SERIAL_TERMINATOR_NONE == terminator)) {
        return FALSE;
    }
    *pdwTimeoutMs = (DWORD)(nTimeout > SERIAL_MAX_IDLE_TIMEOUT ? SERIAL_MAX_IDLE_TIMEOUT : nTimeout);
    return TRUE;
}

BOOL ParseSerialSettings(const Settings* pSettings, SerialConfig* pConfig, const WCHAR** ppszBadKey)
{
    FATAL_ASSERT(NULL != pSettings);
    FATAL_ASSERT(NULL != pConfig);
    FATAL_ASSERT(NULL != ppszBadKey);
    const Settings& s = *pSettings;
    SerialConfig& c = *pConfig;
    // In the order the keys are reported; the terminator before the idle timeout.
    const WCHAR* pszBadKey = NULL;
    if (TRUE != ParsePort(s.Get(SERIAL_PORT), &c.nPort)) {
        pszBadKey = SERIAL_PORT;
    } else if (TRUE != ParseBaudRate(s.Get(SERIAL_BAUD_RATE), &c.dwBaudRate)) {
        pszBadKey = SERIAL_BAUD_RATE;
    } else if (TRUE != ParseWord(s.Get(SERIAL_DATA_BITS), grgDataBits, &c.nDataBits)) {
        pszBadKey = SERIAL_DATA_BITS;
    } else if (TRUE != ParseWord(s.Get(SERIAL_PARITY), grgParities, &c.parity)) {
        pszBadKey = SERIAL_PARITY;
    } else if (TRUE != ParseWord(s.Get(SERIAL_STOP_BITS), grgStopBits, &c.nStopBits)) {
        pszBadKey = SERIAL_STOP_BITS;
    } else if (TRUE != ParseWord(s.Get(SERIAL_FLOW_CONTROL), grgFlowControls, &c.flowControl)) {
        pszBadKey = SERIAL_FLOW_CONTROL;
    } else if (TRUE != ParseWord(s.Get(SERIAL_TERMINATOR), grgTerminators, &c.terminator)) {
        pszBadKey = SERIAL_TERMINATOR;
    } else if (TRUE != ParseIdleTimeout(s.Get(SERIAL_IDLE_TIMEOUT), c.terminator, &c.dwIdleTimeoutMs)) {
        pszBadKey = SERIAL_IDLE_TIMEOUT;
    }
    *ppszBadKey = pszBadKey;
    return NULL == pszBadKey ? TRUE : FALSE;
}
