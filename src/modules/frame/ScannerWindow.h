// The hidden module window: owns the back-end, polls it and the stop event
// every 100 ms, and delivers each scan to the host window as WM_COPYDATA.
#pragma once

#include <windows.h>

#include "host/WindowBase.h"
#include "modules/frame/ScannerBackend.h"

class ScannerApp;

// The poll timer: its number and period.
#define SCANNER_TIMER_ID 1
#define SCANNER_TIMER_PERIOD 100

// Registers the module's window class with the module's WindowProc and room
// for the object pointer. TRUE on success.
BOOL RegisterScannerClass(HINSTANCE hInstance);

// The module window procedure: the framework's routing plus the module's
// device message, if it has one.
LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

class ScannerWindow final : public WindowBase
{
public:
    ScannerWindow(ScannerApp* pApp, HWND hWndReceiver);
    // Releases a back-end that the stop step did not release (the window was
    // closed another way).
    ~ScannerWindow();

    ScannerWindow(const ScannerWindow&) = delete;
    ScannerWindow& operator=(const ScannerWindow&) = delete;

    BOOL create() override;
    void onCreate(HWND hWnd) override;
    void onDestroy() override;
    LRESULT onCommand(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    void onTimer(WPARAM wParam) override;
    void onDeviceMessage() override;

    ScannerApp* m_pApp;
    ScannerBackend* m_pScanner;
    HWND m_hWndReceiver;
    BOOL m_bScanning;

private:
    void startStep();
    void stopStep();
    void releaseScanner();
    void deliver(const WCHAR* pszScan);

    // The window's own copy of a scan, so that the back-end may reuse its
    // buffer while the host still works.
    WCHAR m_szScan[SCANNER_SCAN_BUFFER];
};
