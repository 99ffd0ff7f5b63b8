// The host's hidden main window: receiver of the scans, supervisor of the
// input module, owner of the tray icon, its menu, the about box and the scan log.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "host/Foreground.h"
#include "host/ForegroundTarget.h"
#include "host/HostLogic.h"
#include "host/ModuleWatch.h"
#include "host/WindowBase.h"
#include "host/resource.h"

class ScanLog;
class ScanProcessor;
class TolvexApp;

#define TOLVEX_PRODUCT_NAME L"Tolvex"
#define TOLVEX_VERSION L"" TOLVEX_VERSION_TEXT
// Tray tip and about-box version line: "Tolvex v2.7".
#define TOLVEX_VERSION_FORMAT L"%s v%s"
// The tray tip while typing is paused: "Tolvex v2.7 (paused)".
#define TOLVEX_PAUSED_TIP_FORMAT L"%s v%s (paused)"

// The watch timer that looks once a second whether the module has stopped.
#define WATCH_TIMER_ID 1
#define WATCH_TIMER_PERIOD 1000
// How long the host waits at exit for its module to report that it stopped.
#define MODULE_STOP_WAIT 1000
// What the about box returns when "Unload" was pressed.
#define ABOUT_RESULT_UNLOAD 0x40

// Every call of the host into the shell goes through these functions
// (TrayShell.cpp); a test build of the host links recording ones in their place.
BOOL ShellNotifyIcon(DWORD dwMessage, NOTIFYICONDATAW* pData);
// Shows the tray menu at pt for hWnd, until an item is chosen or it is closed.
void TrackTrayMenu(HMENU hMenu, HWND hWnd, POINT pt);
// Opens an Explorer window on the folder; FALSE when it cannot.
BOOL OpenFolderWindow(const WCHAR* pszFolder);

class TolvexWindow final : public WindowBase
{
public:
    explicit TolvexWindow(TolvexApp* pApp);
    ~TolvexWindow();

    TolvexWindow(const TolvexWindow&) = delete;
    TolvexWindow& operator=(const TolvexWindow&) = delete;

    BOOL create() override;
    void onCreate(HWND hWnd) override;
    void onDestroy() override;
    LRESULT onCommand(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;
    LRESULT onCopyData(LPARAM lParam) override;
    void onTimer(WPARAM wParam) override;
    LRESULT defaultProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    BOOL StartInputModule();
    void StopInputModule();
    BOOL AddTrayIcon();
    BOOL RemoveTrayIcon();
    INT_PTR ShowAboutBox(HINSTANCE hInstance, HWND hWndOwner);
    void Shutdown();

    TolvexApp* m_pApp;
    HICON m_hSmallIcon;
    BOOL m_fAboutOpen;
    // Runs the script (ScriptHost's interpreter) on each scan and types its
    // result; it holds the typing settings ("InterKeyDelay", "RDPMode" with
    // "RDPApps") and the processed text, target and mode of the scan being
    // handled. Made once the keyboard map is built.
    ScanProcessor* m_pScanProcessor;

private:
    // Types one scan through the script into the user's window, never into
    // one of the host's own; logs what became of it.
    void HandleScan(const COPYDATASTRUCT* pcds);
    // The tray icon's left click and "About Tolvex": the about box, or the
    // open one brought forward.
    void OpenAboutBox(HWND hWnd);
    // The tray icon's right click: the menu, whose items post their commands.
    void ShowTrayMenu(HWND hWnd);
    void OpenDataFolder();
    // Replaces the script with a new start of script.lua when that starts;
    // otherwise its start-up box, and the running script stays.
    void ReloadScript();
    // Pauses or resumes typing; the tray tip says which.
    void SetPaused(BOOL fPaused);
    // Begins the scan log when "ScanLog" is on: its "start" line, and the
    // script's log lines and the scans' reports go there.
    void StartScanLog();
    void EndScanLog();
    // Adds the tray icon; when that fails the watch timer tries again.
    void ShowTrayIcon();
    // On the watch timer while the icon is missing: modify first, since an
    // add that timed out may still have added it, then add.
    void RetryTrayIcon();
    BOOL NotifyTrayIcon(DWORD dwMessage);

    // Explorer broadcasts "TaskbarCreated" when it (re)starts; the icon is
    // then gone and must be added again.
    UINT m_uTaskbarCreated;
    TrayIconRetry m_trayRetry;
    // The module's process, watched on the timer; its handle is closed with
    // this object, after the module has been told to stop.
    ModuleWatch m_moduleWatch;
    ForegroundKeeper m_foreground;
    // Describes the window each scan goes to, for the script.
    ForegroundTargetReader m_targetReader;
    BOOL m_fMenuOpen;
    // Null while the scan log is off.
    ScanLog* m_pScanLog;
};

class AboutDialog final : public WindowBase
{
public:
    AboutDialog(HINSTANCE hInstance, const WCHAR* pszVersion);
    ~AboutDialog();

    AboutDialog(const AboutDialog&) = delete;
    AboutDialog& operator=(const AboutDialog&) = delete;

    void onCreate(HWND hWnd) override;
    LRESULT onCommand(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) override;

    HINSTANCE m_hInstance;
    WCHAR* m_pszVersion;
};

// Centres hWnd in hWndReference (null: its parent; the desktop: the work
// area) and makes it topmost; without a reference nothing happens.
void CenterWindow(HWND hWnd, HWND hWndReference);
