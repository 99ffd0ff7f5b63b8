// Quorlin, the input module for Symbol terminals: the module frame with the
// Symbol back-end and the good-read sound "barcode.wav".
#include <windows.h>

#include <new>

#include "modules/frame/Scanner.h"
#include "modules/frame/ScannerModule.h"
#include "modules/quorlin/SymbolBackend.h"
#include "vendor/AudioApi.h"

#define QUORLIN_SOUND_FILE L"barcode.wav"

static ScannerBackend* CreateSymbolBackend(HWND)
{
    return new (std::nothrow) SymbolBackend();
}

// Plays the installation folder's "barcode.wav" for every scan delivered.
// Nothing stops the delivery: a missing file or a failing call is ignored,
// and an installation folder too long for the request's path plays nothing.
static void PlayGoodReadSound(ScannerBackend*)
{
    AUDIO_BEEPER_REQUEST request;
    ZeroMemory(&request, sizeof(request));
    if (TRUE != FormatInstallPath(request.szSoundFile, AUDIO_SOUND_FILE_LENGTH, QUORLIN_SOUND_FILE)) {
        return;
    }
    AUDIO_PlayBeeper(&request);
}

static const ScannerModule gQuorlinModule = {
    SCANNER_WINDOW_CLASS,   // pszWindowClass
    SCANNER_WINDOW_CLASS,   // pszWindowTitle
    0,                      // uDeviceMessage: the library signals an event instead
    CreateSymbolBackend,    // pfnCreateBackend
    NULL,                   // pszSettingsFile
    NULL,                   // pSettingDefaults
    0,                      // cSettingDefaults
    NULL,                   // pfnCheckSettings
    NULL,                   // pfnOnCreate
    NULL,                   // pfnBeforeStart
    PlayGoodReadSound,      // pfnGoodRead
    FALSE,                  // fDeliverAllWaiting: one label per tick
};

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR pszCommandLine, int)
{
    return RunScannerModule(&gQuorlinModule, hInstance, pszCommandLine);
}
