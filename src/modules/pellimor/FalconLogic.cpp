#include "modules/pellimor/FalconLogic.h"

#include <wchar.h>

unsigned FindFalconDevice(const DWORD* pdwDevices, size_t cWords)
{
    for (size_t i = 0; i < cWords; i++) {
        if (0 != (pdwDevices[i] & DCD_DEVICE_PRESENT_BITS)) {
            return (unsigned)(i + 1);
        }
    }
    return 0;
}

void StripTrailingLineEnds(WCHAR* pszText)
{
    size_t cch = wcslen(pszText);
    while (cch > 0 && (L'\r' == pszText[cch - 1] || L'\n' == pszText[cch - 1])) {
        pszText[--cch] = L'\0';
    }
}
