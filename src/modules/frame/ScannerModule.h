// The one place where the input modules differ. Every module is the same
// frame (entry, hidden window, 100 ms poll, delivery, stop) run with one
// constant description of this shape; its wWinMain only hands that
// description and its arguments to RunScannerModule (Scanner.h).
#pragma once

#include <windows.h>

#include <string>

#include "common/Settings.h"
#include "modules/frame/ScannerBackend.h"

// The class and title every module window has.
#define SCANNER_WINDOW_CLASS L"Scanner"

struct ScannerModule
{
    // Class name and title of the hidden window (SCANNER_WINDOW_CLASS in
    // every module).
    const WCHAR* pszWindowClass;
    const WCHAR* pszWindowTitle;

    // The device library's notification message, routed to onDeviceMessage
    // (1025 Falcon, 1538 LXE; the serial back-end posts its own); 0 when
    // none is posted.
    UINT uDeviceMessage;

    // Makes the module's back-end for the module window hWnd (Falcon and LXE
    // hand it to their library; the others ignore it), allocated with
    // new (std::nothrow); NULL when it cannot be made.
    ScannerBackend* (*pfnCreateBackend)(HWND hWnd);

    // The module's own settings file in the installation folder, read into
    // gpSettings over the defaults before the window is made; NULL: none.
    const WCHAR* pszSettingsFile;
    const SettingDefault* pSettingDefaults;
    size_t cSettingDefaults;
    // Checks the values read, before the window is made; FALSE with the text
    // of the one box that refuses the start in *pstrMessage (the module then
    // ends as when its file is missing). NULL: every value is taken.
    BOOL (*pfnCheckSettings)(std::wstring* pstrMessage);

    // Module steps, each NULL where the module does nothing:
    // on window creation, before the back-end is made (the BHT radio);
    void (*pfnOnCreate)();
    // after enableAllBarcodeTypes, before startScanning (the BHT feedback mode);
    void (*pfnBeforeStart)(ScannerBackend* pScanner);
    // for every scan about to be delivered (Symbol sound, BHT beep).
    void (*pfnGoodRead)(ScannerBackend* pScanner);

    // FALSE: at most one scan per tick (a terminal decodes one label at a
    // time). TRUE: every scan waiting at a tick is delivered at that tick, in
    // order, with the stop request looked at again before each (a serial
    // scanner may upload hundreds of stored labels at once).
    BOOL fDeliverAllWaiting;
};
