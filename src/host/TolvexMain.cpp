// The host's entry point: brings the pieces up in order and takes them down
// in reverse.
#include <windows.h>
#include <commctrl.h>

#include <new>

#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/Folders.h"
#include "common/MessageTexts.h"
#include "host/TolvexApp.h"
#include "script/ScriptHost.h"

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR, int)
{
    ghInst = hInstance;
    FindInstallFolder(hInstance);

    // The about box is made of common controls.
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_STANDARD_CLASSES;
    if (!InitCommonControlsEx(&icc)) {
        ShowError(TVX_AFX_INIT_FAILED_TEXT);
        return 0;
    }

    // The script comes before the settings: a broken script is reported
    // first and the settings file is then not read.
    if (TRUE != InitScript()) {
        return 0;
    }

    TolvexApp* pApp = new (std::nothrow) TolvexApp();
    FATAL_ASSERT(NULL != pApp);
    int nExitCode = 0;
    if (1 == pApp->Init(hInstance)) {
        nExitCode = pApp->Run();
    }
    delete pApp;

    CloseScript();
    return nExitCode;
}
