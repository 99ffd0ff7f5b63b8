#include "modules/frame/ScannerWindow.h"

#include <wchar.h>

#include "common/Assert.h"
#include "common/Events.h"
#include "modules/frame/Scanner.h"

BOOL RegisterScannerClass(HINSTANCE hInstance)
{
    return RegisterWindowBaseClass(hInstance, gpScannerModule->pszWindowClass, WindowProc);
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    return RouteWindowMessage(hWnd, uMsg, wParam, lParam, gpScannerModule->uDeviceMessage);
}

ScannerWindow::ScannerWindow(ScannerApp* pApp, HWND hWndReceiver)
    : m_pApp(pApp), m_pScanner(NULL), m_hWndReceiver(hWndReceiver), m_bScanning(FALSE)
{
    FATAL_ASSERT(NULL != pApp);
    m_hWnd = NULL;
    m_szScan[0] = L'\0';
}

ScannerWindow::~ScannerWindow()
{
    releaseScanner();
}

BOOL ScannerWindow::create()
{
    HWND hWnd = CreateWindowExW(0, gpScannerModule->pszWindowClass, gpScannerModule->pszWindowTitle,
                                WS_BORDER, 0, 0, 100, 100, NULL, NULL, m_pApp->m_hInstance, this);
    if (NULL == hWnd) {
        return FALSE;
    }
    // A window that did not bind its object would never see its timer.
    if (GetWindowObject(hWnd) != this) {
        DestroyWindow(hWnd);
        return FALSE;
    }
    ShowWindow(hWnd, SW_HIDE);
    UpdateWindow(hWnd);
    return TRUE;
}

void ScannerWindow::onCreate(HWND hWnd)
{
    FATAL_ASSERT(NULL != hWnd);
    m_hWnd = hWnd;
    if (NULL != gpScannerModule->pfnOnCreate) {
        gpScannerModule->pfnOnCreate();
    }
    startStep();
}

void ScannerWindow::onDestroy()
{
    PostQuitMessage(0);
}

LRESULT ScannerWindow::onCommand(HWND, UINT, WPARAM wParam, LPARAM)
{
    if (IDOK == LOWORD(wParam)) {
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    }
    return 0;
}

void ScannerWindow::onTimer(WPARAM)
{
    HANDLE rghEvents[1] = { ghStopInputModuleEvent };
    FATAL_ASSERT(NULL != rghEvents[0]);
    // The stop request goes before any waiting scan, and a tick that delivers
    // every waiting scan looks at it again before each of them: a long upload
    // must not hold up the host's stop.
    do {
        if (WAIT_OBJECT_0 == WaitForMultipleObjects(1, rghEvents, FALSE, 0)) {
            stopStep();
            return;
        }
        const WCHAR* pszScan = m_pScanner->getBarcode();
        if (NULL == pszScan) {
            return;
        }
        if (NULL != gpScannerModule->pfnGoodRead) {
            gpScannerModule->pfnGoodRead(m_pScanner);
        }
        deliver(pszScan);
    } while (TRUE == gpScannerModule->fDeliverAllWaiting);
}

void ScannerWindow::onDeviceMessage()
{
    if (NULL != m_pScanner) {
        m_pScanner->onScannerMessage();
    }
}

void ScannerWindow::startStep()
{
    FATAL_ASSERT(NULL != m_hWnd);
    releaseScanner();
    m_pScanner = gpScannerModule->pfnCreateBackend(m_hWnd);
    FATAL_ASSERT(NULL !=m_pScanner);
    FATAL_ASSERT(TRUE == m_pScanner->enableAllBarcodeTypes());
    if (NULL != gpScannerModule->pfnBeforeStart) {
        gpScannerModule->pfnBeforeStart(m_pScanner);
    }
    m_bScanning = FALSE;
    if (TRUE == m_pScanner->startScanning()) {
        m_bScanning = TRUE;
    }
    SetTimer(m_hWnd, SCANNER_TIMER_ID, SCANNER_TIMER_PERIOD, NULL);
    // Minimised, and create() hides it right afterwards: it is never seen.
    // Minimising without activation, since SW_MINIMIZE would activate another
    // window and move the keyboard focus away from the user's application
    // just as the scans start to be typed into it.
    ShowWindow(m_hWnd, SW_SHOWMINNOACTIVE);
}

void ScannerWindow::stopStep()
{
    // The order matters: the device is released before the host hears that
    // the module has stopped, and the window goes last.
    releaseScanner();
    SetEvent(ghInputModuleEventStopped);
    KillTimer(m_hWnd, SCANNER_TIMER_ID);
    DestroyWindow(m_hWnd);
}

void ScannerWindow::releaseScanner()
{
    if (NULL == m_pScanner) {
        return;
    }
    if (TRUE == m_bScanning) {
        m_pScanner->stopScanning();
        m_bScanning = FALSE;
    }
    delete m_pScanner;
    m_pScanner = NULL;
}

void ScannerWindow::deliver(const WCHAR* pszScan)
{
    // A text longer than the buffer is cut rather than read past.
    size_t cch = wcsnlen(pszScan, SCANNER_SCAN_BUFFER - 1);
    wmemcpy(m_szScan, pszScan, cch);
    m_szScan[cch] = L'\0';

    COPYDATASTRUCT cds;
    cds.dwData = 0;
    cds.cbData = (DWORD)((cch + 1) * sizeof(WCHAR));
    cds.lpData = m_szScan;
    // Blocks until the host has run the script and typed the result. A host
    // window that is gone makes the send fail at once; nothing is retried.
    SendMessageW(m_hWndReceiver, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&cds));
}
