// A program that trips a fatal assertion (or shows the error box) on request,
// so that a test can find the real box, read it and dismiss it (see
// HelperProtocol.h for the commands).
#include <windows.h>

#include <wchar.h>

#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/Events.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "common/Registry.h"
#include "HelperProtocol.h"
#include "TripAssert.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR pszCommandLine, int)
{
    if (0 == wcscmp(pszCommandLine, BOX_TRIP)) {
        TripAssertion(2);
    } else if (0 == wcscmp(pszCommandLine, BOX_EVENTS_NULL)) {
        CreateStopEvents(NULL);
    } else if (0 == wcscmp(pszCommandLine, BOX_EVENTS_TWICE)) {
        HWND hWnd = (HWND)(LONG_PTR)0x7e57;
        if (CreateStopEvents(hWnd)) {
            CreateStopEvents(hWnd);
        }
    } else if (0 == wcscmp(pszCommandLine, BOX_REGISTRY_NULL)) {
        Registry registry;
        registry.Open(NULL, KEY_READ);
    } else if (0 == wcscmp(pszCommandLine, BOX_REGISTRY_CLOSED)) {
        Registry registry;
        DWORD dwType = 0;
        registry.GetValueType(L"Folder", &dwType);
    } else if (0 == wcscmp(pszCommandLine, BOX_COPY_NULL)) {
        WCHAR* pszCopy = NULL;
        CopyString(&pszCopy, NULL);
    } else if (0 == wcscmp(pszCommandLine, BOX_NO_EXPRESSION)) {
        FatalAssert(NULL, __FILE__, __LINE__);
    } else if (0 == wcscmp(pszCommandLine, BOX_NO_FILE)) {
        FatalAssert("1 == 2", NULL, __LINE__);
    } else if (0 == wcscmp(pszCommandLine, BOX_SHOW_ERROR)) {
        return ShowError(TVX_EVENTS_FAILED_TEXT);
    }
    return BOX_BAD_ARGUMENTS;
}
