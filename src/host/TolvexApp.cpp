#include "host/TolvexApp.h"

#include <new>
#include <string>

#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/Folders.h"
#include "common/HostSettings.h"
#include "common/MessageTexts.h"
#include "host/HostLogic.h"
#include "host/TolvexWindow.h"
#include "host/WindowClass.h"
#include "keyboard/KeyTranslator.h"

HINSTANCE ghInst = NULL;

TolvexApp::TolvexApp() : m_hInstance(NULL), m_pMainWindow(NULL) {}

TolvexApp::~TolvexApp()
{
    // The order matters: the window object stops the input module and frees
    // the keyboard map; the settings go after it.
    delete m_pMainWindow;
    m_pMainWindow = NULL;
    FreeSettings();
}

int TolvexApp::Init(HINSTANCE hInstance)
{
    m_hInstance = hInstance;
    if (1 != LoadSettings()) {
        return 0;
    }

    DWORD dwDelay = GetStartupDelay(gpSettings->Get(L"StartupDelay"));
    if (0 != dwDelay) {
        Sleep(dwDelay);
    }

    if (TRUE != RegisterWindowClass(m_hInstance)) {
        return 0;
    }

    m_pMainWindow = new (std::nothrow) TolvexWindow(this);
    FATAL_ASSERT(NULL != m_pMainWindow);
    if (TRUE != m_pMainWindow->create()) {
        delete m_pMainWindow;
        m_pMainWindow = NULL;
        return 0;
    }
    return 1;
}

int TolvexApp::LoadSettings()
{
    gpSettings = new (std::nothrow) Settings(GetInstallFolder());
    FATAL_ASSERT(NULL != gpSettings);

    EnterHostDefaults(gpSettings);

    // Settings problems are shown with the error icon only, not topmost.
    std::wstring strPath = JoinPath(GetInstallFolder(), TVX_SETTINGS_FILE);
    if (TRUE != gpSettings->Read(TVX_SETTINGS_FILE)) {
        ShowErrorFormat(TVX_SETTINGS_READ_FAILED_FORMAT, { strPath.c_str() }, ERROR_BOX_PLAIN);
        return 0;
    }
    // An empty value counts as present.
    if (NULL == gpSettings->Get(L"InputModule")) {
        ShowErrorFormat(TVX_SETTING_MISSING_FORMAT, { L"InputModule", strPath.c_str() },
                        ERROR_BOX_PLAIN);
        return 0;
    }
    return 1;
}

int TolvexApp::Run()
{
    MSG msg;
    // GetMessage gives -1 on an error: only a positive result is a message.
    while (GetMessageW(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return (int)msg.wParam;
}

void TolvexApp::FreeSettings()
{
    if (NULL != gpSettings) {
        gpSettings->Clear();
        delete gpSettings;
        gpSettings = NULL;
    }
}
