#include "host/TolvexWindow.h"

#include <stddef.h>

#include <new>
#include <string>
#include <vector>

#include "common/AnsiText.h"
#include "common/Assert.h"
#include "common/ErrorBox.h"
#include "common/EventNames.h"
#include "common/Events.h"
#include "common/Folders.h"
#include "common/MessageTexts.h"
#include "common/MyString.h"
#include "common/Settings.h"
#include "host/HostLogic.h"
#include "host/ScanLog.h"
#include "host/TolvexApp.h"
#include "host/WindowClass.h"
#include "host/resource.h"
#include "keyboard/KeyTranslator.h"
#include "script/ScanProcessor.h"
#include "script/ScriptHost.h"

// The record layout the host announces (NOTIFYICONDATAW_V1_SIZE) ends with
// the first 64 characters of szTip: the longest tip with its terminator.
#define TRAY_TIP_LENGTH \
    ((NOTIFYICONDATAW_V1_SIZE - offsetof(NOTIFYICONDATAW, szTip)) / sizeof(WCHAR))
static_assert(64 == TRAY_TIP_LENGTH, "the first layout's tip holds 64 characters");

namespace {

// Closes the handles that CreateProcessW hands back, unless the process
// handle has been taken over.
class ProcessInformation
{
public:
    ProcessInformation() { ZeroMemory(&m_pi, sizeof(m_pi)); }
    ~ProcessInformation()
    {
        if (NULL != m_pi.hThread) {
            CloseHandle(m_pi.hThread);
        }
        if (NULL != m_pi.hProcess) {
            CloseHandle(m_pi.hProcess);
        }
    }
    PROCESS_INFORMATION* Get() { return &m_pi; }
    HANDLE TakeProcess()
    {
        HANDLE hProcess = m_pi.hProcess;
        m_pi.hProcess = NULL;
        return hProcess;
    }

private:
    PROCESS_INFORMATION m_pi;
};

std::wstring FormatVersionText()
{
    WCHAR szVersion[64];
    _snwprintf(szVersion, ARRAYSIZE(szVersion), TOLVEX_VERSION_FORMAT, TOLVEX_PRODUCT_NAME,
               TOLVEX_VERSION);
    szVersion[ARRAYSIZE(szVersion) - 1] = L'\0';
    return szVersion;
}

// The tray menu, top to bottom; a null text is a separator. While typing is
// paused the pause item gives way to the resume item.
struct TrayMenuItem
{
    UINT uId;
    const WCHAR* pszText;
};

const TrayMenuItem grgTrayMenu[] = {
    { IDM_ABOUT, L"About Tolvex" },
    { IDM_OPEN_DATA_FOLDER, L"Open data folder" },
    { IDM_RELOAD_SCRIPT, L"Reload script" },
    { IDM_PAUSE_TYPING, L"Pause typing" },
    { IDM_RESUME_TYPING, L"Resume typing" },
    // Apart from the others, so that a slip does not end the host.
    { 0, NULL },
    { IDM_UNLOAD, L"Unload" },
};

// A setting's text as the scan log writes it (8-bit); empty when absent.
std::string SettingText(const WCHAR* pszName)
{
    const WCHAR* pszValue = gpSettings->Get(pszName);
    return NarrowAnsi((NULL != pszValue) ? pszValue : L"", '?');
}

// The script's log(text) and each scan's report, while the scan log is on.
void WriteScriptLogLine(void* pvContext, const char* pbText, size_t cbText)
{
    static_cast<ScanLog*>(pvContext)->WriteScriptLog(pbText, cbText);
}

void WriteScanLine(void* pvContext, const ScanReport& report)
{
    static_cast<ScanLog*>(pvContext)->WriteScan(report);
}

}  // namespace

TolvexWindow::TolvexWindow(TolvexApp* pApp)
    : m_pApp(pApp),
      m_hSmallIcon(NULL),
      m_fAboutOpen(FALSE),
      m_pScanProcessor(NULL),
      m_uTaskbarCreated(0),
      m_fMenuOpen(FALSE),
      m_pScanLog(NULL)
{
    FATAL_ASSERT(NULL != pApp);
}

TolvexWindow::~TolvexWindow()
{
    Shutdown();
}

BOOL TolvexWindow::create()
{
    BOOL fAllowMultiple = IsSettingTrue(gpSettings->Get(L"AllowMultipleInstances"));
    HWND hWndRunning = FindWindowW(TOLVEX_WINDOW_CLASS, TOLVEX_PRODUCT_NAME);
    if (NULL != hWndRunning && FALSE == fAllowMultiple) {
        // The same message a left click on the running host's tray icon makes:
        // it opens its about box, from which the user can unload it.
        PostMessageW(hWndRunning, WM_COMMAND, IDM_TRAY_ICON, WM_LBUTTONDOWN);
        return FALSE;
    }

    HWND hWnd = CreateWindowExW(0, TOLVEX_WINDOW_CLASS, TOLVEX_PRODUCT_NAME, WS_BORDER,
                                0, 0, 100, 100, NULL, NULL, m_pApp->m_hInstance, this);
    if (NULL == hWnd) {
        return FALSE;
    }
    // A class without room for the object pointer would send every message
    // silently to DefWindowProc.
    FATAL_ASSERT(this == GetWindowObject(hWnd));

    ShowWindow(hWnd, SW_HIDE);
    UpdateWindow(hWnd);
    return TRUE;
}

void TolvexWindow::onCreate(HWND hWnd)
{
    m_hWnd = hWnd;
    m_uTaskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

    // Shared: the system owns the icon, so it is forgotten, not destroyed.
    m_hSmallIcon = static_cast<HICON>(LoadImageW(m_pApp->m_hInstance, MAKEINTRESOURCEW(IDI_TOLVEX),
                                                 IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR | LR_SHARED));
    if (NULL != m_hSmallIcon) {
        SendMessageW(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));
    }

    // Each step needs the ones before it; the first failure ends the host.
    if (TRUE != CreateKeyTranslatorMap()) {
        PostQuitMessage(0);
        return;
    }
    m_pScanProcessor = new (std::nothrow) ScanProcessor(gpLuaState, ReadScanSettings());
    FATAL_ASSERT(NULL != m_pScanProcessor);
    // A script error on a scan is shown in a box owned by this window.
    m_pScanProcessor->SetErrorProc(ShowScriptRuntimeError, m_hWnd);
    if (TRUE != CreateStopEvents(m_hWnd)) {
        ShowError(TVX_EVENTS_FAILED_TEXT);
        PostQuitMessage(0);
        return;
    }
    if (TRUE != StartInputModule()) {
        PostQuitMessage(0);
        return;
    }
    StartScanLog();
    SetTimer(m_hWnd, WATCH_TIMER_ID, WATCH_TIMER_PERIOD, NULL);
    ShowTrayIcon();
}

void TolvexWindow::onDestroy()
{
    RemoveTrayIcon();
    m_hSmallIcon = NULL;
    m_hWnd = NULL;
    PostQuitMessage(0);
}

LRESULT TolvexWindow::onCommand(HWND hWnd, UINT, WPARAM wParam, LPARAM lParam)
{
    // A start that failed half-way ends the host; no command applies then.
    if (NULL == m_pScanProcessor) {
        return 0;
    }
    switch (LOWORD(wParam)) {
    case IDM_TRAY_ICON:
        // Of the icon's mouse messages only these two do something.
        if (WM_LBUTTONDOWN == lParam) {
            OpenAboutBox(hWnd);
        } else if (WM_RBUTTONUP == lParam) {
            ShowTrayMenu(hWnd);
        }
        break;
    case IDM_ABOUT:
        OpenAboutBox(hWnd);
        break;
    case IDM_OPEN_DATA_FOLDER:
        OpenDataFolder();
        break;
    case IDM_RELOAD_SCRIPT:
        ReloadScript();
        break;
    case IDM_PAUSE_TYPING:
        SetPaused(TRUE);
        break;
    case IDM_RESUME_TYPING:
        SetPaused(FALSE);
        break;
    case IDM_UNLOAD:
        SendMessageW(hWnd, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
    return 0;
}

void TolvexWindow::OpenAboutBox(HWND hWnd)
{
    if (TRUE == m_fAboutOpen) {
        // The system hands the activation on to the open modal box.
        m_foreground.TakeFor(hWnd);
        SetFocus(hWnd);
        return;
    }
    m_fAboutOpen = TRUE;
    m_foreground.TakeFor(hWnd);
    INT_PTR nResult = ShowAboutBox(m_pApp->m_hInstance, hWnd);
    m_fAboutOpen = FALSE;
    m_foreground.GiveBack();
    // A box that could not be shown gives -1, which has every bit set and
    // must not unload the host.
    if (nResult > 0 && 0 != (nResult & ABOUT_RESULT_UNLOAD)) {
        SendMessageW(hWnd, WM_CLOSE, 0, 0);
    }
}

void TolvexWindow::ShowTrayMenu(HWND hWnd)
{
    // Over the modal about box a menu would act behind it: the right click
    // brings the box forward as the left one does.
    if (TRUE == m_fAboutOpen) {
        OpenAboutBox(hWnd);
        return;
    }
    if (TRUE == m_fMenuOpen) {
        return;
    }
    HMENU hMenu = CreatePopupMenu();
    if (NULL == hMenu) {
        return;
    }
    BOOL fPaused = m_pScanProcessor->IsPaused();
    for (const TrayMenuItem& item : grgTrayMenu) {
        if ((IDM_PAUSE_TYPING == item.uId && TRUE == fPaused) ||
            (IDM_RESUME_TYPING == item.uId && TRUE != fPaused)) {
            continue;
        }
        AppendMenuW(hMenu, (NULL != item.pszText) ? MF_STRING : MF_SEPARATOR, item.uId,
                    item.pszText);
    }
    // In bold what a left click does.
    SetMenuDefaultItem(hMenu, IDM_ABOUT, FALSE);

    POINT pt;
    GetCursorPos(&pt);
    m_fMenuOpen = TRUE;
    // The menu closes when the user clicks elsewhere only if its window is
    // in front, and the posted message lets it close at once.
    m_foreground.TakeFor(hWnd);
    TrackTrayMenu(hMenu, hWnd, pt);
    PostMessageW(hWnd, WM_NULL, 0, 0);
    m_fMenuOpen = FALSE;
    DestroyMenu(hMenu);
    m_foreground.GiveBack();
}

void TolvexWindow::OpenDataFolder()
{
    if (TRUE != OpenFolderWindow(GetInstallFolder())) {
        m_foreground.Remember();
        ShowErrorFormat(TVX_OPEN_FOLDER_FAILED_FORMAT, { GetInstallFolder() });
        m_foreground.GiveBack();
    }
}

void TolvexWindow::ReloadScript()
{
    // A script that fails shows its box, which takes the foreground.
    m_foreground.Remember();
    if (TRUE == ::ReloadScript()) {
        m_pScanProcessor->SetInterpreter(gpLuaState);
    }
    m_foreground.GiveBack();
}

void TolvexWindow::SetPaused(BOOL fPaused)
{
    m_pScanProcessor->SetPaused(fPaused);
    NotifyTrayIcon(NIM_MODIFY);
}

void TolvexWindow::StartScanLog()
{
    if (TRUE != IsSettingTrue(gpSettings->Get(L"ScanLog"))) {
        return;
    }
    std::wstring strFolder = GetScanLogFolder();
    if (strFolder.empty()) {
        return;
    }
    m_pScanLog = new (std::nothrow) ScanLog(strFolder);
    FATAL_ASSERT(NULL != m_pScanLog);
    ScanLogStart start;
    start.strModule = m_pScanProcessor->GetSettings().strModule;
    start.strLayout = SettingText(L"KeyboardLayout");
    start.pszMode = m_pScanProcessor->GetSettings().typingMode.GetName();
    start.nInterKeyDelay = m_pScanProcessor->GetSettings().nInterKeyDelay;
    m_pScanLog->WriteStart(start);
    SetScriptLogProc(WriteScriptLogLine, m_pScanLog);
    m_pScanProcessor->SetReportProc(WriteScanLine, m_pScanLog);
}

void TolvexWindow::EndScanLog()
{
    if (NULL != m_pScanLog) {
        m_pScanProcessor->SetReportProc(NULL, NULL);
        SetScriptLogProc(NULL, NULL);
        m_pScanLog->WriteEnd();
        delete m_pScanLog;
        m_pScanLog = NULL;
    }
}

LRESULT TolvexWindow::onCopyData(LPARAM lParam)
{
    // Only the data is used: the sender's dwData means nothing here.
    const COPYDATASTRUCT* pcds = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (NULL != m_pScanProcessor && NULL != pcds) {
        HandleScan(pcds);
    }
    return TRUE;
}

void TolvexWindow::HandleScan(const COPYDATASTRUCT* pcds)
{
    if (TRUE == m_pScanProcessor->IsPaused()) {
        // Counted and logged, neither run nor typed; the one who scans hears it.
        m_pScanProcessor->ProcessScan(pcds->lpData, pcds->cbData);
        MessageBeep(MB_ICONWARNING);
        return;
    }
    HWND hWndTarget = NULL;
    if (TRUE != m_foreground.PrepareToType(&hWndTarget)) {
        // Nothing but the host's own window to type into (where Enter would
        // press a button): the scan is not typed, and the user hears it.
        m_pScanProcessor->ReportNoTarget(pcds->lpData, pcds->cbData);
        MessageBeep(MB_ICONWARNING);
        return;
    }
    ScanTarget target = m_targetReader.Read(hWndTarget);
    m_pScanProcessor->ProcessScan(pcds->lpData, pcds->cbData, &target);
    // A "Script Runtime Error" box leaves the foreground with this window.
    m_foreground.GiveBack();
}

void TolvexWindow::onTimer(WPARAM)
{
    // Looked at before the event: a module that reported and then ended has
    // stopped normally.
    DWORD dwExitCode = 0;
    BOOL fModuleEnded = m_moduleWatch.HasEnded(&dwExitCode);
    if (WAIT_OBJECT_0 == WaitForSingleObject(ghInputModuleEventStopped, 0)) {
        KillTimer(m_hWnd, WATCH_TIMER_ID);
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    } else if (TRUE == fModuleEnded) {
        // The timer goes first: the box's modal loop would deliver it again.
        KillTimer(m_hWnd, WATCH_TIMER_ID);
        m_moduleWatch.ShowEndedBox(dwExitCode);
        m_foreground.GiveBack();
        SendMessageW(m_hWnd, WM_CLOSE, 0, 0);
    } else {
        RetryTrayIcon();
    }
}

LRESULT TolvexWindow::defaultProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam)
{
    if (0 != m_uTaskbarCreated && m_uTaskbarCreated == uMsg) {
        ShowTrayIcon();
        return 0;
    }
    return DefWindowProcW(hWnd, uMsg, wParam, lParam);
}

BOOL TolvexWindow::StartInputModule()
{
    const WCHAR* pszModule = gpSettings->Get(L"InputModule");
    FATAL_ASSERT(NULL != pszModule);

    // The module lives next to the host's own file, wherever the settings are.
    std::wstring strPath = JoinPath(GetProgramFolder(), pszModule);

    // CreateProcessW may write into the command line: a writable copy, with
    // room for the terminator.
    std::vector<WCHAR> commandLine(strPath.size() + TVX_MODULE_COMMAND_LINE_EXTRA + 1);
    _snwprintf(commandLine.data(), commandLine.size(), TVX_MODULE_COMMAND_LINE_FORMAT,
               strPath.c_str(), (DWORD)(UINT_PTR)m_hWnd);
    commandLine.back() = L'\0';

    STARTUPINFOW si;
    ZeroMemory(&si, sizeof(si));
    si.cb = sizeof(si);
    ProcessInformation pi;
    if (!CreateProcessW(strPath.c_str(), commandLine.data(), NULL, NULL, FALSE, 0, NULL, NULL,
                        &si, pi.Get())) {
        ShowErrorFormat(TVX_MODULE_START_FAILED_FORMAT, { strPath.c_str() });
        return FALSE;
    }
    m_foreground.SetModuleProcess(pi.Get()->dwProcessId);
    m_moduleWatch.Watch(pi.TakeProcess(), strPath);
    return TRUE;
}

void TolvexWindow::StopInputModule()
{
    // With no events (start-up failed early) both calls fail at once.
    SetEvent(ghStopInputModuleEvent);
    // A module that has ended can no longer answer.
    DWORD dwExitCode = 0;
    if (TRUE != m_moduleWatch.HasEnded(&dwExitCode)) {
        WaitForSingleObject(ghInputModuleEventStopped, MODULE_STOP_WAIT);
    }
}

BOOL TolvexWindow::AddTrayIcon()
{
    return NotifyTrayIcon(NIM_ADD);
}

BOOL TolvexWindow::NotifyTrayIcon(DWORD dwMessage)
{
    FATAL_ASSERT(NULL != ghInst);
    HICON hIcon = LoadIconW(ghInst, MAKEINTRESOURCEW(IDI_TOLVEX));
    FATAL_ASSERT(NULL != hIcon);

    NOTIFYICONDATAW nid;
    ZeroMemory(&nid, sizeof(nid));
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = IDM_TRAY_ICON;
    nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    nid.uCallbackMessage = WM_COMMAND;
    nid.hIcon = hIcon;
    BOOL fPaused = (NULL != m_pScanProcessor) ? m_pScanProcessor->IsPaused() : FALSE;
    _snwprintf(nid.szTip, TRAY_TIP_LENGTH,
               (TRUE == fPaused) ? TOLVEX_PAUSED_TIP_FORMAT : TOLVEX_VERSION_FORMAT,
               TOLVEX_PRODUCT_NAME, TOLVEX_VERSION);
    nid.szTip[TRAY_TIP_LENGTH - 1] = L'\0';
    return ShellNotifyIcon(dwMessage, &nid) ? TRUE : FALSE;
}

void TolvexWindow::ShowTrayIcon()
{
    m_trayRetry.Record(AddTrayIcon(), GetTickCount64());
}

void TolvexWindow::RetryTrayIcon()
{
    ULONGLONG ullNow = GetTickCount64();
    if (TRUE == m_trayRetry.IsDue(ullNow)) {
        BOOL fShown = (TRUE == NotifyTrayIcon(NIM_MODIFY)) ? TRUE : AddTrayIcon();
        m_trayRetry.Record(fShown, ullNow);
    }
}

BOOL TolvexWindow::RemoveTrayIcon()
{
    NOTIFYICONDATAW nid;
    ZeroMemory(&nid, sizeof(nid));
    nid.cbSize = NOTIFYICONDATAW_V1_SIZE;
    nid.hWnd = m_hWnd;
    nid.uID = IDM_TRAY_ICON;
    return ShellNotifyIcon(NIM_DELETE, &nid) ? TRUE : FALSE;
}

INT_PTR TolvexWindow::ShowAboutBox(HINSTANCE hInstance, HWND hWndOwner)
{
    std::wstring strVersion = FormatVersionText();
    AboutDialog* pDialog = new (std::nothrow) AboutDialog(hInstance, strVersion.c_str());
    FATAL_ASSERT(NULL != pDialog);
    INT_PTR nResult = DialogBoxParamW(hInstance, MAKEINTRESOURCEW(IDD_ABOUT), hWndOwner,
                                      DialogProc, reinterpret_cast<LPARAM>(pDialog));
    delete pDialog;
    return nResult;
}

void TolvexWindow::Shutdown()
{
    // A window left over by a failed start must not outlive its object.
    if (NULL != m_hWnd && IsWindow(m_hWnd)) {
        DestroyWindow(m_hWnd);
    }
    // The order matters: the module is told to stop and given its second
    // before the events go; the scan log ends, and the keyboard map and the
    // script's scan state go, when no scan can arrive any more.
    StopInputModule();
    CloseStopEvents();
    EndScanLog();
    DeleteKeyTranslatorMap();
    delete m_pScanProcessor;
    m_pScanProcessor = NULL;
}

AboutDialog::AboutDialog(HINSTANCE hInstance, const WCHAR* pszVersion)
    : m_hInstance(hInstance), m_pszVersion(NULL)
{
    FATAL_ASSERT(NULL != pszVersion);
    CopyString(&m_pszVersion, pszVersion);
}

AboutDialog::~AboutDialog()
{
    FreeString(&m_pszVersion);
}

void AboutDialog::onCreate(HWND hWnd)
{
    m_hWnd = hWnd;
    CenterWindow(hWnd, GetDesktopWindow());
    SetWindowTextW(hWnd, TOLVEX_PRODUCT_NAME);
    HWND hWndVersion = GetDlgItem(hWnd, IDC_ABOUT_VERSION);
    FATAL_ASSERT(NULL != hWndVersion);
    SetWindowTextW(hWndVersion, m_pszVersion);
    SetForegroundWindow(hWnd);
}

LRESULT AboutDialog::onCommand(HWND hWnd, UINT, WPARAM wParam, LPARAM)
{
    switch (wParam) {
    case IDOK:
    case IDCANCEL:
        EndDialog(hWnd, 0);
        return TRUE;
    case IDC_ABOUT_UNLOAD:
        EndDialog(hWnd, ABOUT_RESULT_UNLOAD);
        return TRUE;
    default:
        return FALSE;
    }
}

void CenterWindow(HWND hWnd, HWND hWndReference)
{
    if (NULL == hWndReference) {
        hWndReference = GetParent(hWnd);
        if (NULL == hWndReference) {
            return;
        }
    }
    RECT rcWindow;
    GetWindowRect(hWnd, &rcWindow);
    RECT rcArea;
    if (GetDesktopWindow() == hWndReference) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &rcArea, 0);
    } else {
        GetClientRect(hWndReference, &rcArea);
    }
    int x = CenterOffset(rcArea.right - rcArea.left, rcWindow.right - rcWindow.left);
    int y = CenterOffset(rcArea.bottom - rcArea.top, rcWindow.bottom - rcWindow.top);
    SetWindowPos(hWnd, HWND_TOPMOST, x, y, 0, 0, SWP_NOSIZE);
}
