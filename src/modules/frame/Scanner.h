// The input-module entry shared by every module, and the application
// object that owns the module window.
#pragma once

#include <windows.h>

#include "common/Settings.h"
#include "modules/frame/ScannerModule.h"
#include "modules/frame/ScannerPath.h"

class ScannerWindow;

// The description of the running module; set by RunScannerModule.
extern const ScannerModule* gpScannerModule;
// The whole life of an input module: checks the argument, opens the stop
// events, reads the module's settings, runs the window until it is destroyed,
// and cleans up. Returns the exit code, 0 on every path.
int RunScannerModule(const ScannerModule* pModule, HINSTANCE hInstance, const WCHAR* pszCommandLine);

class ScannerApp
{
public:
    ScannerApp();
    ~ScannerApp();

    ScannerApp(const ScannerApp&) = delete;
    ScannerApp& operator=(const ScannerApp&) = delete;

    // Registers the window class and creates the module window for
    // hWndReceiver; FALSE (no window object left) when any of it fails.
    BOOL init(HINSTANCE hInstance, HWND hWndReceiver);
    // The message loop, until the window's destruction posts the quit message.
    void run();

    HINSTANCE m_hInstance;
    ScannerWindow* m_pWindow;
};
