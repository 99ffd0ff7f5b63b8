#include "common/Events.h"

#include <stdio.h>

#include "common/Assert.h"

HANDLE ghStopInputModuleEvent = NULL;
HANDLE ghInputModuleEventStopped = NULL;

static HANDLE CreateNamedStopEvent(const WCHAR* pszFormat, HWND hWndReceiver)
{
    WCHAR szName[64];
    _snwprintf(szName, 64, pszFormat, (DWORD)(UINT_PTR)hWndReceiver);
    szName[63] = L'\0';
    return CreateEventW(NULL, TRUE, FALSE, szName);
}

BOOL CreateStopEvents(HWND hWndReceiver)
{
    FATAL_ASSERT(NULL != hWndReceiver);
    FATAL_ASSERT(NULL == ghStopInputModuleEvent);
    FATAL_ASSERT(NULL == ghInputModuleEventStopped);

    ghStopInputModuleEvent = CreateNamedStopEvent(TVX_STOP_EVENT_FORMAT, hWndReceiver);
    if (NULL == ghStopInputModuleEvent) {
        return FALSE;
    }
    ghInputModuleEventStopped = CreateNamedStopEvent(TVX_STOPPED_EVENT_FORMAT, hWndReceiver);
    if (NULL == ghInputModuleEventStopped) {
        CloseStopEvents();
        return FALSE;
    }
    return TRUE;
}

void CloseStopEvents()
{
    if (NULL != ghStopInputModuleEvent) {
        CloseHandle(ghStopInputModuleEvent);
        ghStopInputModuleEvent = NULL;
    }
    if (NULL != ghInputModuleEventStopped) {
        CloseHandle(ghInputModuleEventStopped);
        ghInputModuleEventStopped = NULL;
    }
}
