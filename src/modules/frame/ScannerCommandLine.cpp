#include "modules/frame/ScannerCommandLine.h"

#include "common/Assert.h"
#include "common/MyString.h"

BOOL isValidCommandLine(const WCHAR* pszCommandLine)
{
    FATAL_ASSERT(NULL != pszCommandLine);
    BOOL fAllZero = TRUE;
    int i = 0;
    for (; i < TVX_HANDLE_DIGITS; i++) {
        // A shorter text ends here at its terminator, which is no digit.
        int nDigit = HexDigitValue(pszCommandLine[i]);
        if (nDigit < 0) {
            return FALSE;
        }
        if (0 != nDigit) {
            fAllZero = FALSE;
        }
    }
    if (L'\0' != pszCommandLine[i]) {
        return FALSE;
    }
    return fAllZero ? FALSE : TRUE;
}

DWORD ReadReceiverValue(const WCHAR* pszCommandLine)
{
    DWORD dwValue = 0;
    for (int i = 0; i < TVX_HANDLE_DIGITS; i++) {
        dwValue = (dwValue << 4) | (DWORD)HexDigitValue(pszCommandLine[i]);
    }
    return dwValue;
}

intptr_t WidenReceiverValue(DWORD dwValue)
{
    return (intptr_t)(int32_t)dwValue;
}
