// Pellimor, the input module for Falcon terminals: the module frame with the
// Falcon back-end, which hears from its decoder library through message 1025.
#include <windows.h>

#include <new>

#include "modules/frame/Scanner.h"
#include "modules/frame/ScannerModule.h"
#include "modules/pellimor/FalconBackend.h"

static ScannerBackend* CreateFalconBackend(HWND hWnd)
{
    return new (std::nothrow) FalconBackend(hWnd);
}

static const ScannerModule gPellimorModule = {
    SCANNER_WINDOW_CLASS,   // pszWindowClass
    SCANNER_WINDOW_CLASS,   // pszWindowTitle
    FALCON_DEVICE_MESSAGE,  // uDeviceMessage
    CreateFalconBackend,    // pfnCreateBackend
    NULL,                   // pszSettingsFile
    NULL,                   // pSettingDefaults
    0,                      // cSettingDefaults
    NULL,                   // pfnCheckSettings
    NULL,                   // pfnOnCreate
    NULL,                   // pfnBeforeStart
    NULL,                   // pfnGoodRead
    FALSE,                  // fDeliverAllWaiting: one label per tick
};

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR pszCommandLine, int)
{
    return RunScannerModule(&gPellimorModule, hInstance, pszCommandLine);
}
