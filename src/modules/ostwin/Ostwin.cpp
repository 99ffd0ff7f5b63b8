// Ostwin, the input module for LXE terminals: the module frame with the LXE
// back-end, which hears from its library through message 1538.
#include <windows.h>

#include <new>

#include "modules/frame/Scanner.h"
#include "modules/frame/ScannerModule.h"
#include "modules/ostwin/LxeBackend.h"
#include "vendor/Lxeapi.h"

static ScannerBackend* CreateLxeBackend(HWND hWnd)
{
    return new (std::nothrow) LxeBackend(hWnd);
}

static const ScannerModule gOstwinModule = {
    SCANNER_WINDOW_CLASS,  // pszWindowClass
    SCANNER_WINDOW_CLASS,  // pszWindowTitle
    LXE_DATA_MESSAGE,      // uDeviceMessage
    CreateLxeBackend,      // pfnCreateBackend
    NULL,                  // pszSettingsFile
    NULL,                  // pSettingDefaults
    0,                     // cSettingDefaults
    NULL,                  // pfnCheckSettings
    NULL,                  // pfnOnCreate
    NULL,                  // pfnBeforeStart
    NULL,                  // pfnGoodRead
    FALSE,                 // fDeliverAllWaiting: one label per tick
};

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR pszCommandLine, int)
{
    return RunScannerModule(&gOstwinModule, hInstance, pszCommandLine);
}
