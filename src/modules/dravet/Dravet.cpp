// Dravet, the input module for BHT terminals: the module frame with the BHT
// back-end, its settings file "Dravet.txt", the radio switched on at start
// when asked, and the good-read beep or vibration.
#include <windows.h>

#include <new>

#include "common/Assert.h"
#include "common/MyString.h"
#include "modules/dravet/BhtBackend.h"
#include "modules/dravet/BhtLogic.h"
#include "modules/dravet/DravetSettings.h"
#include "modules/frame/Scanner.h"
#include "modules/frame/ScannerModule.h"
#include "vendor/BhtLib.h"

// Stored in this order before the file is read, so that the file overrides them.
static const SettingDefault grgDravetDefaults[] = {
    { DRAVET_BEEPER_VIBRATOR_MODE, DRAVET_DEFAULT_BEEPER_VIBRATOR_MODE },
    { DRAVET_BEEP_TIME, DRAVET_DEFAULT_BEEP_TIME },
    { DRAVET_BEEP_FREQUENCY, DRAVET_DEFAULT_BEEP_FREQUENCY },
    { DRAVET_START_RADIO, DRAVET_DEFAULT_START_RADIO },
};

static ScannerBackend* CreateBhtBackend(HWND)
{
    return new (std::nothrow) BhtBackend();
}

// On window creation, before the back-end exists.
static void OpenRadioIfAsked()
{
    FATAL_ASSERT(NULL != gpSettings);
    if (TRUE == IsSettingTrue(gpSettings->Get(DRAVET_START_RADIO))) {
        BHT_RF_Open(0);
    }
}

static void SetFeedbackMode(ScannerBackend* pScanner)
{
    FATAL_ASSERT(NULL != gpSettings);
    static_cast<BhtBackend*>(pScanner)->setFeedbackMode(
        ParseBeeperVibratorMode(gpSettings->Get(DRAVET_BEEPER_VIBRATOR_MODE)));
}

static void SignalGoodRead(ScannerBackend* pScanner)
{
    static_cast<BhtBackend*>(pScanner)->signalGoodRead();
}

static const ScannerModule gDravetModule = {
    SCANNER_WINDOW_CLASS,                                       // pszWindowClass
    SCANNER_WINDOW_CLASS,                                       // pszWindowTitle
    0,                                                          // uDeviceMessage: polled
    CreateBhtBackend,                                           // pfnCreateBackend
    DRAVET_SETTINGS_FILE,                                       // pszSettingsFile
    grgDravetDefaults,                                          // pSettingDefaults
    sizeof(grgDravetDefaults) / sizeof(grgDravetDefaults[0]),   // cSettingDefaults
    NULL,                                                       // pfnCheckSettings
    OpenRadioIfAsked,                                           // pfnOnCreate
    SetFeedbackMode,                                            // pfnBeforeStart
    SignalGoodRead,                                             // pfnGoodRead
    FALSE,                                                      // fDeliverAllWaiting: one label per tick
};

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR pszCommandLine, int)
{
    return RunScannerModule(&gDravetModule, hInstance, pszCommandLine);
}
