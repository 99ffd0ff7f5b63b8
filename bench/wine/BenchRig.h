// What the Wine measurements share: the four modules with the conditions that
// keep their stand-ins from pacing the labels, a throw-away installation of
// the host with one module, the labels fed, what the example script makes of
// them, and the clock.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "support/SimSession.h"
#include "support/TestInstallation.h"

// Labels fed before the measured ones, and the longest wait for one label.
#define WARM_UP_LABELS 3
#define ARRIVAL_TIMEOUT_MS 10000

struct BenchModule
{
    const WCHAR* pszProgram;
    // The stand-in libraries it loads, NULL-terminated.
    const WCHAR* rgpszLibraries[3];
    // The simulated terminal: announce each label as soon as it is fed, and
    // make no sound, so that what is measured is the module's own road.
    const char* pszConditions;
    // The module's own settings file in the installation, or NULL.
    const WCHAR* pszSettingsFile;
    const char* pszSettings;
};

// The module whose program is pszName or pszName + ".exe" (any case); NULL
// when there is none.
const BenchModule* FindBenchModule(const WCHAR* pszName);

// The host, one module with its stand-ins, a script (the example script, or
// the text pszScript) and a "Tolvex.txt" in a temporary folder; the simulated
// terminal's files are named in this process's environment, which host and
// module inherit.
class BenchInstallation
{
public:
    BenchInstallation(const BenchModule& module, DWORD nInterKeyDelay,
                      const char* pszScript = NULL);
    BenchInstallation(const BenchInstallation&) = delete;
    BenchInstallation& operator=(const BenchInstallation&) = delete;

    BOOL IsReady() const { return m_fReady; }
    SimSession& GetSim() { return m_sim; }

    // Starts the host in its folder and waits for its window and its module.
    BOOL StartHost();
    // WM_CLOSE to the host window; TRUE when host and module both ended with
    // exit code 0 within a few seconds.
    BOOL CloseHost();

    std::wstring GetFilePath(const WCHAR* pszName) const { return m_install.GetFilePath(pszName); }
    HANDLE GetHost() const { return m_host.GetHandle(); }
    HANDLE GetModule() const { return m_module.GetHandle(); }

private:
    SimSession m_sim;
    TestInstallation m_install;
    const WCHAR* m_pszModuleProgram;
    // Host and module: each is ended if it still runs when the installation
    // goes (after a failure only), the module first.
    TestProcess m_host;
    HWND m_hWndHost;
    TestProcess m_module;
    BOOL m_fReady;
};

// The feed line of label i (a typical GS1-128 label: GTIN, net weight,
// best-before date, batch, GS, serial; the serial's last two digits are i),
// and the 8-bit scan the module delivers for it.
std::string LabelFeedLine(int i);
std::string LabelScan(int i);
// The UTF-16 text of an 8-bit scan, one unit per byte (the scan's code 0..255).
std::wstring WidenScan(const std::string& strScan);

// What the example script makes of one scan, typed with the host's settings.
struct ExpectedTyping
{
    // The EDIT control's text after typing (Enter gives CR LF).
    std::wstring strText;
    // Key events typing makes, and pauses of the inter-key delay among them.
    size_t nEvents;
    size_t nPauses;
};

// Runs the example script of the program folder on strScan through the
// host's own per-scan step, with typing recorded instead of made. FALSE when
// the script cannot be loaded or fails on the scan.
BOOL ComputeExpectedTyping(const std::string& strScan, DWORD nInterKeyDelay, BOOL fUnicode,
                           ExpectedTyping* pExpected);

// Watches the simulated terminal's call log (TOLVEX_SIM_LOG, so make it after
// the SimSession) for the moment the stand-in takes a fed label ("*feed"):
// from outside the programs, the split between the feed being read and the
// module's own road.
class SimFeedWatch
{
public:
    SimFeedWatch();
    ~SimFeedWatch();

    SimFeedWatch(const SimFeedWatch&) = delete;
    SimFeedWatch& operator=(const SimFeedWatch&) = delete;

    BOOL IsReady() const { return INVALID_HANDLE_VALUE != m_hLog; }
    // Reads what the log has gained; TRUE when a line among it is "*feed".
    BOOL SawFeed();
    // How many "*feed" lines the reads so far have met.
    size_t GetFeedsSeen() const { return m_nFeeds; }

private:
    HANDLE m_hLog;
    std::string m_strPartial;
    size_t m_nFeeds;
};

// Milliseconds on the performance counter: now, and at a counter reading.
double NowMs();
double CounterMs(LONGLONG llCounter);

// Median, 95th percentile (nearest rank), minimum and maximum of samples.
struct Summary
{
    size_t nCount;
    double dMedian;
    double dP95;
    double dMin;
    double dMax;
};
Summary Summarize(std::vector<double> samples);
// One line: "WHAT: n=... median=... p95=... min=... max=...", each figure
// followed by pszUnit.
void PrintSummary(const char* pszWhat, const Summary& summary, const char* pszUnit = "ms");

// A reproducible pause of 0..99 ms between labels, so that labels meet the
// module's 100 ms tick at every phase, as real scans do.
DWORD NextGapMs();
