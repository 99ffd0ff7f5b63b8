// FrameTestModule.exe: the module frame with a back-end over TESTSCAN.dll, for the
// frame's system tests. Its description comes from the environment, so that
// one program plays a module with or without a device message and settings:
//   TVX_TEST_DEVICE_MESSAGE  the library's notification message (default 0)
//   TVX_TEST_SETTINGS_FILE   a settings file to read at start (default none),
//                            with the one default "Greeting" = "hello"
//   TVX_TEST_DELIVER_ALL     1: every waiting scan at each tick (default one)
// Every frame step that the library would not see is noted in the call log.
#include <windows.h>
#include <stdlib.h>

#include <new>
#include <string>

#include "TestScanApi.h"
#include "common/AnsiText.h"
#include "modules/frame/Scanner.h"

namespace {

class TestBackend final : public ScannerBackend
{
public:
    TestBackend(UINT uMessage) : m_uMessage(uMessage), m_nAnnounced(0), m_bStarted(FALSE) {}
    ~TestBackend() override
    {
        stopScanning();
        TestScanClose();
    }

    BOOL open(HWND hWnd) { return TestScanOpen(hWnd, m_uMessage); }

    BOOL enableAllBarcodeTypes() override { return TestScanEnableAll(); }

    BOOL startScanning() override
    {
        if (TRUE == m_bStarted || FALSE == TestScanStart()) {
            return FALSE;
        }
        m_bStarted = TRUE;
        return TRUE;
    }

    const WCHAR* getBarcode() override
    {
        if (TRUE != m_bStarted) {
            return NULL;
        }
        if (0 != m_uMessage) {
            if (0 == m_nAnnounced) {
                return NULL;
            }
            m_nAnnounced--;
        }
        return TestScanRead(m_szBuffer, SCANNER_SCAN_BUFFER) >= 0 ? m_szBuffer : NULL;
    }

    void onScannerMessage() override
    {
        TestScanNote("device-message");
        m_nAnnounced++;
    }

    BOOL stopScanning() override
    {
        if (TRUE != m_bStarted) {
            return FALSE;
        }
        TestScanStop();
        m_bStarted = FALSE;
        return TRUE;
    }

private:
    UINT m_uMessage;
    int m_nAnnounced;
    BOOL m_bStarted;
    WCHAR m_szBuffer[SCANNER_SCAN_BUFFER];
};

UINT guTestMessage = 0;

ScannerBackend* CreateTestBackend(HWND hWnd)
{
    TestBackend* pBackend = new (std::nothrow) TestBackend(guTestMessage);
    if (NULL != pBackend && TRUE != pBackend->open(hWnd)) {
        delete pBackend;
        pBackend = NULL;
    }
    return pBackend;
}

void NoteCreate()
{
    std::string strStep = "create";
    if (NULL != gpSettings) {
        strStep += " Greeting=" + NarrowAnsi(gpSettings->Get(L"Greeting"), '?');
    }
    TestScanNote(strStep.c_str());
}

void NoteBeforeStart(ScannerBackend*)
{
    TestScanNote("before-start");
}

void NoteGoodRead(ScannerBackend*)
{
    TestScanNote("good-read");
}

const SettingDefault grgTestDefaults[] = {
    { L"Greeting", L"hello" },
};

std::wstring ReadVariable(const WCHAR* pszName)
{
    WCHAR szValue[TVX_MAX_PATH];
    DWORD cch = GetEnvironmentVariableW(pszName, szValue, TVX_MAX_PATH);
    return (cch > 0 && cch < TVX_MAX_PATH) ? std::wstring(szValue, cch) : std::wstring();
}

}

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR pszCommandLine, int)
{
    guTestMessage = (UINT)wcstoul(ReadVariable(L"TVX_TEST_DEVICE_MESSAGE").c_str(), NULL, 10);
    std::wstring strSettingsFile = ReadVariable(L"TVX_TEST_SETTINGS_FILE");

    ScannerModule module;
    module.pszWindowClass = SCANNER_WINDOW_CLASS;
    module.pszWindowTitle = SCANNER_WINDOW_CLASS;
    module.uDeviceMessage = guTestMessage;
    module.pfnCreateBackend = CreateTestBackend;
    module.pszSettingsFile = strSettingsFile.empty() ? NULL : strSettingsFile.c_str();
    module.pSettingDefaults = grgTestDefaults;
    module.cSettingDefaults = sizeof(grgTestDefaults) / sizeof(grgTestDefaults[0]);
    module.pfnCheckSettings = NULL;
    module.pfnOnCreate = NoteCreate;
    module.pfnBeforeStart = NoteBeforeStart;
    module.pfnGoodRead = NoteGoodRead;
    module.fDeliverAllWaiting = (L"1" == ReadVariable(L"TVX_TEST_DELIVER_ALL")) ? TRUE : FALSE;
    return RunScannerModule(&module, hInstance, pszCommandLine);
}
