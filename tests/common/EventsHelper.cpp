// A second process for the stop-event tests: it opens the events of the
// handle on its command line as an input module does (see HelperProtocol.h).
#include <windows.h>

#include <wchar.h>

#include "common/Events.h"
#include "HelperProtocol.h"

static BOOL ParseHandle(const WCHAR* pszText, HWND* phWnd)
{
    if (8 != wcslen(pszText)) {
        return FALSE;
    }
    WCHAR* pszEnd = NULL;
    DWORD dwValue = (DWORD)wcstoul(pszText, &pszEnd, 16);
    if (L'\0' != *pszEnd) {
        return FALSE;
    }
    // Windows sign-extends 32-bit handle values.
    *phWnd = (HWND)(LONG_PTR)(LONG)dwValue;
    return TRUE;
}

static BOOL IsSignalled(HANDLE hEvent)
{
    return WAIT_OBJECT_0 == WaitForSingleObject(hEvent, 0) ? TRUE : FALSE;
}

static int Run(const WCHAR* pszCommand)
{
    if (0 == wcscmp(pszCommand, EVENTS_SIGNAL)) {
        SetEvent(ghInputModuleEventStopped);
        return EVENTS_OK;
    }
    if (0 == wcscmp(pszCommand, EVENTS_SERVE)) {
        if (WAIT_OBJECT_0 != WaitForSingleObject(ghStopInputModuleEvent, EVENTS_SERVE_MS)) {
            return EVENTS_WAIT_TIMED_OUT;
        }
        SetEvent(ghInputModuleEventStopped);
        return EVENTS_OK;
    }
    if (0 == wcscmp(pszCommand, EVENTS_FIRST)) {
        SetEvent(ghInputModuleEventStopped);
        if (WAIT_OBJECT_0 != WaitForSingleObject(ghStopInputModuleEvent, EVENTS_SERVE_MS)) {
            return EVENTS_WAIT_TIMED_OUT;
        }
        return EVENTS_OK;
    }
    if (0 == wcscmp(pszCommand, EVENTS_STATE_COMMAND)) {
        return EVENTS_STATE + (IsSignalled(ghStopInputModuleEvent) ? 1 : 0) +
               (IsSignalled(ghInputModuleEventStopped) ? 2 : 0);
    }
    return EVENTS_BAD_ARGUMENTS;
}

int wmain(int argc, WCHAR** argv)
{
    HWND hWnd = NULL;
    if (3 != argc || !ParseHandle(argv[1], &hWnd)) {
        return EVENTS_BAD_ARGUMENTS;
    }
    if (!CreateStopEvents(hWnd)) {
        return EVENTS_CREATE_FAILED;
    }
    int nResult = Run(argv[2]);
    CloseStopEvents();
    return nResult;
}
