#include "modules/frame/Scanner.h"

#include <commctrl.h>

#include <new>
#include <string>

#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/Events.h"
#include "common/Folders.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "modules/frame/ScannerCommandLine.h"
#include "modules/frame/ScannerWindow.h"

const ScannerModule* gpScannerModule = NULL;

// The module will not run: the user is told why, and the stopped event tells
// the host, which watches it.
static void RefuseStart(const WCHAR* pszMessage)
{
    ShowError(pszMessage);
    SetEvent(ghInputModuleEventStopped);
}

// Makes gpSettings with the module's defaults, reads the module's settings
// file over them and lets the module check the values. FALSE when the file
// cannot be read (the box names it) or the module refused a value.
static BOOL LoadModuleSettings(const ScannerModule* pModule)
{
    gpSettings = new (std::nothrow) Settings(GetInstallFolder());
    FATAL_ASSERT(NULL != gpSettings);
    for (size_t i = 0; i < pModule->cSettingDefaults; i++) {
        gpSettings->Set(pModule->pSettingDefaults[i].pszName, pModule->pSettingDefaults[i].pszValue);
    }
    if (TRUE != gpSettings->Read(pModule->pszSettingsFile)) {
        std::wstring strPath = JoinPath(GetInstallFolder(), pModule->pszSettingsFile);
        RefuseStart(FormatText(TVX_SETTINGS_READ_FAILED_FORMAT, { strPath.c_str() }).c_str());
        return FALSE;
    }
    std::wstring strRefusal;
    if (NULL != pModule->pfnCheckSettings && TRUE != pModule->pfnCheckSettings(&strRefusal)) {
        RefuseStart(strRefusal.c_str());
        return FALSE;
    }
    return TRUE;
}

static void FreeModuleSettings()
{
    delete gpSettings;
    gpSettings = NULL;
}

int RunScannerModule(const ScannerModule* pModule, HINSTANCE hInstance, const WCHAR* pszCommandLine)
{
    FATAL_ASSERT(NULL != pModule);
    gpScannerModule = pModule;

    // Nothing is touched before the argument has been accepted.
    if (TRUE != isValidCommandLine(pszCommandLine)) {
        ShowError(TVX_MODULE_REFUSED_TEXT);
        return 0;
    }
    FindInstallFolder(hInstance);
    // The host wrote the low 32 bits of its window handle.
    HWND hWndReceiver = (HWND)WidenReceiverValue(ReadReceiverValue(pszCommandLine));
    if (TRUE != CreateStopEvents(hWndReceiver)) {
        ShowError(TVX_EVENTS_FAILED_TEXT);
        return 0;
    }
    InitCommonControls();

    if (NULL == pModule->pszSettingsFile || TRUE == LoadModuleSettings(pModule)) {
        ScannerApp* pApp = new (std::nothrow) ScannerApp();
        if (NULL != pApp) {
            if (TRUE == pApp->init(hInstance, hWndReceiver)) {
                pApp->run();
            }
            delete pApp;
        }
    }

    FreeModuleSettings();
    CloseStopEvents();
    return 0;
}

ScannerApp::ScannerApp() : m_hInstance(NULL), m_pWindow(NULL) {}

ScannerApp::~ScannerApp()
{
    delete m_pWindow;
}

BOOL ScannerApp::init(HINSTANCE hInstance, HWND hWndReceiver)
{
    m_hInstance = hInstance;
    if (TRUE != RegisterScannerClass(hInstance)) {
        return FALSE;
    }
    m_pWindow = new (std::nothrow) ScannerWindow(this, hWndReceiver);
    if (NULL == m_pWindow) {
        return FALSE;
    }
    if (TRUE != m_pWindow->create()) {
        delete m_pWindow;
        m_pWindow = NULL;
        return FALSE;
    }
    return TRUE;
}

void ScannerApp::run()
{
    MSG msg;
    // GetMessage gives -1 on a broken call: that ends the loop too.
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
