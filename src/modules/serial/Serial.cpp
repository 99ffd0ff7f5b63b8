// Serial, the input module for scanners on a serial port (RS-232, or USB in
// virtual COM port mode): the module frame with the serial back-end and its
// settings file "Serial.txt". Every label waiting at a tick is delivered at
// that tick, since a scanner may upload hundreds of stored labels at once.
#include <windows.h>

#include <new>

#include "common/Assert.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "modules/frame/Scanner.h"
#include "modules/frame/ScannerModule.h"
#include "modules/serial/SerialBackend.h"
#include "modules/serial/SerialSettings.h"

// The settings as checked at start, for the back-end.
static SerialConfig gSerialConfig;

static BOOL CheckSerialSettings(std::wstring* pstrMessage)
{
    FATAL_ASSERT(NULL != gpSettings);
    const WCHAR* pszBadKey = NULL;
    if (TRUE == ParseSerialSettings(gpSettings, &gSerialConfig, &pszBadKey)) {
        return TRUE;
    }
    const WCHAR* pszValue = gpSettings->Get(pszBadKey);
    *pstrMessage = FormatText(TVX_SERIAL_INVALID_SETTING_FORMAT,
                              { pszBadKey, NULL != pszValue ? pszValue : L"" });
    return FALSE;
}

static ScannerBackend* CreateSerialBackend(HWND hWnd)
{
    return new (std::nothrow) SerialBackend(hWnd, gSerialConfig);
}

static const ScannerModule gSerialModule = {
    SCANNER_WINDOW_CLASS,                                       // pszWindowClass
    SCANNER_WINDOW_CLASS,                                       // pszWindowTitle
    SERIAL_BOX_MESSAGE,                                         // uDeviceMessage: the back-end's own box
    CreateSerialBackend,                                        // pfnCreateBackend
    SERIAL_SETTINGS_FILE,                                       // pszSettingsFile
    grgSerialDefaults,                                          // pSettingDefaults
    gcSerialDefaults,                                           // cSettingDefaults
    CheckSerialSettings,                                        // pfnCheckSettings
    NULL,                                                       // pfnOnCreate
    NULL,                                                       // pfnBeforeStart
    NULL,                                                       // pfnGoodRead: the scanner beeps itself
    TRUE,                                                       // fDeliverAllWaiting
};

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR pszCommandLine, int)
{
    return RunScannerModule(&gSerialModule, hInstance, pszCommandLine);
}
