#include "host/HostLogic.h"

#include "common/MessageTexts.h"
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

const WCHAR* ModuleEndedHint(DWORD dwExitCode)
{
    switch (dwExitCode) {
    case LOADER_DLL_NOT_FOUND:
        return TVX_MODULE_LIBRARY_MISSING_TEXT;
    case LOADER_INVALID_IMAGE_FORMAT:
        return TVX_MODULE_NOT_64BIT_TEXT;
    default:
        return L"";
    }
}

void TrayIconRetry::Record(BOOL fShown, uint64_t ullNow)
{
    if (TRUE == fShown) {
        m_fFailed = FALSE;
        return;
    }
    if (TRUE != IsDue(ullNow)) {
        m_fFailed = TRUE;
        m_ullGiveUpAt = ullNow + TRAY_RETRY_PERIOD;
    }
}

BOOL TrayIconRetry::IsDue(uint64_t ullNow) const
{
    return (TRUE == m_fFailed && ullNow <= m_ullGiveUpAt) ? TRUE : FALSE;
}
