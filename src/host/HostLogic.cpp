#include "host/HostLogic.h"

#include "common/MyString.h"

DWORD GetStartupDelay(const WCHAR* pszValue)
{
    if (NULL == pszValue) {
        return 0;
    }
    uint64_t nDelay = ParseUnsignedSetting(pszValue);
    return (nDelay > MAX_STARTUP_DELAY) ? MAX_STARTUP_DELAY : (DWORD)nDelay;
}

int CenterOffset(int nArea, int nWindow)
{
    int nOffset = (nArea - nWindow) / 2;
    return (nOffset < 0) ? 0 : nOffset;
}
