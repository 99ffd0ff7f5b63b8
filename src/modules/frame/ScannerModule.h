// The one place where the four input modules differ. Every module is the same
// frame (entry, hidden window, 100 ms poll, delivery, stop) run with one
// constant description of this shape; its wWinMain only hands that
// description and its arguments to RunScannerModule (Scanner.h).
#pragma once

#include <windows.h>

#include "modules/frame/ScannerBackend.h"

// The class and title every module window has.
#define SCANNER_WINDOW_CLASS L"Scanner"

// A setting and the value it has when the module's settings file does not name it.
struct ScannerSettingDefault
{
    const WCHAR* pszName;
    const WCHAR* pszValue;
};

struct ScannerModule
{
    // Class name and title of the hidden window (SCANNER_WINDOW_CLASS in all
    // four modules).
    const WCHAR* pszWindowClass;
    const WCHAR* pszWindowTitle;

    // The device library's notification message, routed to onDeviceMessage
    // (1025 Falcon, 1538 LXE); 0 when the library posts none.
    UINT uDeviceMessage;

    // Makes the module's back-end for the module window hWnd (Falcon and LXE
    // hand it to their library; the others ignore it), allocated with
    // new (std::nothrow); NULL when it cannot be made.
    ScannerBackend* (*pfnCreateBackend)(HWND hWnd);

    // The module's own settings file in the installation folder, read into
    // gpSettings over the defaults before the window is made; NULL: none.
    const WCHAR* pszSettingsFile;
    const ScannerSettingDefault* pSettingDefaults;
    size_t cSettingDefaults;

    // Module steps, each NULL where the module does nothing:
    // on window creation, before the back-end is made (the BHT radio);
    void (*pfnOnCreate)();
    // after enableAllBarcodeTypes, before startScanning (the BHT feedback mode);
    void (*pfnBeforeStart)(ScannerBackend* pScanner);
    // for every scan about to be delivered (Symbol sound, BHT beep).
    void (*pfnGoodRead)(ScannerBackend* pScanner);
};
