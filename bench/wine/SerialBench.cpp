// Figures of the serial module under Wine, with the simulated serial scanner
// (tests/support/serial-scanner.py, its folder named by TVX_SERIAL_SCANNER)
// and a receiver window of ours in the host's place, as the host starts the
// module:
//
//   bench_wine serial-latency CR|None [LABELS]   bytes written -> WM_COPYDATA
//   bench_wine serial-batch [LABELS] [ROUNDS]    LABELS labels in one write ->
//                                                the last one's WM_COPYDATA
//   bench_wine serial-idle [SECONDS]             CPU time of the module with
//                                                its port open and no bytes,
//                                                beside the frame's bare tick
//                                                run here meanwhile
//
// The start of each road is the helper's own time stamp of the moment the pty
// took the last byte of a write (CLOCK_MONOTONIC_RAW); its end is the
// performance counter read in the receiver's window procedure. Wine counts
// that counter at 10 MHz on the same clock, so the two compare directly;
// every stamp is checked to lie between the hand-over of the command and its
// answer, or the run ends. A label that arrives wrong, twice or not at all
// ends the run with exit code 1.
//
// Seen with Wine 8 here, beyond what ../shared/WINE.md says: the helper's
// stamps did fall between hand-over and answer in every run (the clocks
// agree); ClearCommError's cbInQue counts the bytes waiting on a pty; in a
// thread woken by its timer a ReadFile of an idle pty port costs about
// 45-50 us of CPU and ClearCommError about 40 us (a tight loop of either
// shows far less), and a bare 100 ms timer with one zero-time wait costs
// 0.11-0.12 % of a core by itself; Z:\proc\self\task lists nothing, and a
// program that wine started with a Unix path has that path, not its Windows
// one, in /proc/<pid>/cmdline: this program's own CPU time is therefore
// Windows' count alone.
#include "SerialBench.h"

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "BenchRig.h"
#include "CpuLook.h"
#include "common/Events.h"
#include "modules/frame/ScannerWindow.h"
#include "modules/serial/SerialSettings.h"
#include "support/ModuleReceiver.h"
#include "support/SerialScanner.h"
#include "support/SimSession.h"
#include "support/TestInstallation.h"

namespace {

#define SERIAL_PROGRAM L"Serial.exe"
// The module gets this long to stop, as the host gives it.
#define MODULE_STOP_WAIT_MS 1000
#define SETTLE_MS 3000
// What the goals allow beyond the waits the design makes.
#define GOAL_MARGIN_MS 10
#define BATCH_GOAL_MS 2000
#define IDLE_GOAL_PERCENT 0.1
// The helper's clock in nanoseconds, and how far a stamp may lie outside the
// hand-over and the answer (the two clocks are read a moment apart).
#define NS_PER_MS 1000000.0
#define STAMP_SLACK_MS 1.0

// Serial.exe in a throw-away installation, started as the host starts it with
// our receiver window, on the helper's port.
class SerialRig
{
public:
    SerialRig() : m_install(s_rgpszFiles), m_fStarted(FALSE) {}
    ~SerialRig()
    {
        if (TRUE == m_fStarted) {
            CloseStopEvents();
        }
    }

    SerialRig(const SerialRig&) = delete;
    SerialRig& operator=(const SerialRig&) = delete;

    // A fresh pty as the port, "Serial.txt" with the port and strLines, the
    // stop events, the module.
    BOOL Start(const std::string& strLines)
    {
        if (TRUE != m_scanner.IsReady()) {
            fprintf(stderr, "the simulated serial scanner is not running (%ls names its folder)\n",
                    SERIAL_SCANNER_VARIABLE);
            return FALSE;
        }
        std::string strSettings = m_scanner.Settings(strLines);
        if (TRUE != m_install.IsReady() || NULL == m_receiver.GetWindow() ||
            TRUE != m_scanner.Appear() ||
            TRUE != m_install.WriteFile(SERIAL_SETTINGS_FILE, strSettings.c_str())) {
            fprintf(stderr, "the installation or the port could not be made\n");
            return FALSE;
        }
        if (TRUE != CreateStopEvents(m_receiver.GetWindow())) {
            fprintf(stderr, "the stop events could not be made\n");
            return FALSE;
        }
        m_fStarted = TRUE;
        if (TRUE != m_install.StartModule(m_process, SERIAL_PROGRAM, m_receiver.GetWindow(), NULL)) {
            fprintf(stderr, "the module did not start\n");
            return FALSE;
        }
        return TRUE;
    }

    // Stops the module as the host does; TRUE when it ended with exit code 0.
    BOOL Stop()
    {
        SetEvent(ghStopInputModuleEvent);
        BOOL fStopped = PumpWait(ghInputModuleEventStopped, MODULE_STOP_WAIT_MS);
        DWORD dwExitCode = STILL_ACTIVE;
        BOOL fEnded = m_process.Wait(5000, &dwExitCode);
        CloseStopEvents();
        m_fStarted = FALSE;
        if (TRUE != fStopped || TRUE != fEnded || 0 != dwExitCode) {
            fprintf(stderr, "the module did not stop with exit code 0\n");
            return FALSE;
        }
        return TRUE;
    }

    // Writes the bytes of strEscaped; *pdWrittenMs: when the pty had taken
    // the last of them, on this program's clock. *pdHandedMs: just before the
    // command went to the helper.
    BOOL Write(const std::string& strEscaped, double* pdHandedMs, double* pdWrittenMs)
    {
        *pdHandedMs = NowMs();
        if (TRUE != m_scanner.Write(strEscaped)) {
            const std::vector<std::string>& results = m_scanner.GetResults();
            fprintf(stderr, "the helper did not write (%s, %.0f ms after the hand-over)\n",
                    results.empty() ? "no answer" : results.back().c_str(), NowMs() - *pdHandedMs);
            return FALSE;
        }
        double dAnsweredMs = NowMs();
        unsigned long long nBytes = 0, nNs = 0;
        if (2 != sscanf(m_scanner.GetResults().back().c_str(), "ok %llu bytes at %llu", &nBytes, &nNs)) {
            fprintf(stderr, "the helper's answer has no time: %s\n", m_scanner.GetResults().back().c_str());
            return FALSE;
        }
        *pdWrittenMs = (double)nNs / NS_PER_MS;
        if (*pdWrittenMs < *pdHandedMs - STAMP_SLACK_MS || *pdWrittenMs > dAnsweredMs + STAMP_SLACK_MS) {
            fprintf(stderr,
                    "the helper's clock does not match the performance counter: written at %.1f ms, "
                    "handed over at %.1f ms, answered at %.1f ms\n",
                    *pdWrittenMs, *pdHandedMs, dAnsweredMs);
            return FALSE;
        }
        return TRUE;
    }

    // Waits until nCount scans in all have arrived.
    BOOL WaitForScans(size_t nCount)
    {
        if (TRUE != m_receiver.WaitForScans(nCount, ARRIVAL_TIMEOUT_MS)) {
            fprintf(stderr, "%llu of %llu scans arrived within %d ms\n",
                    (unsigned long long)m_receiver.GetScans().size(), (unsigned long long)nCount,
                    ARRIVAL_TIMEOUT_MS);
            return FALSE;
        }
        return TRUE;
    }

    const std::vector<ReceivedScan>& GetScans() const { return m_receiver.GetScans(); }
    HANDLE GetProcess() const { return m_process.GetHandle(); }
    std::wstring GetProgramPath() const { return m_install.GetFilePath(SERIAL_PROGRAM); }

private:
    static const WCHAR* const s_rgpszFiles[];

    SerialScanner m_scanner;
    TestInstallation m_install;
    ModuleReceiver m_receiver;
    TestProcess m_process;
    BOOL m_fStarted;
};

const WCHAR* const SerialRig::s_rgpszFiles[] = { SERIAL_PROGRAM, NULL };

// The scan strScan arrived as the one at iScan, and no other after it.
BOOL CheckScan(const SerialRig& rig, size_t iScan, const std::string& strScan)
{
    const std::vector<ReceivedScan>& scans = rig.GetScans();
    if (scans.size() != iScan + 1 || scans[iScan].strText != WidenScan(strScan)) {
        fprintf(stderr, "scan %llu arrived wrong (%llu scans so far)\n", (unsigned long long)iScan,
                (unsigned long long)scans.size());
        return FALSE;
    }
    return TRUE;
}

int MeasureLatency(const std::wstring& strTerminator, int nLabels)
{
    BOOL fCR = (0 == _wcsicmp(strTerminator.c_str(), L"CR")) ? TRUE : FALSE;
    if (TRUE != fCR && 0 != _wcsicmp(strTerminator.c_str(), L"None")) {
        fprintf(stderr, "the terminator is CR or None\n");
        return 2;
    }
    DWORD dwIdleTimeoutMs = (DWORD)_wtoi(SERIAL_DEFAULT_IDLE_TIMEOUT);
    SerialRig rig;
    // The default idle timeout in both: with CR it ends no label here, since
    // the CR comes in the same write.
    if (TRUE != rig.Start(fCR ? "Terminator=CR\r\n" : "Terminator=None\r\n")) {
        return 1;
    }
    std::vector<double> samples;
    for (int i = -WARM_UP_LABELS; i < nLabels; i++) {
        int iLabel = (i + 100) % 100;
        PumpWait(NULL, NextGapMs());
        size_t iScan = rig.GetScans().size();
        double dHandedMs = 0, dWrittenMs = 0;
        if (TRUE != rig.Write(LabelFeedLine(iLabel) + (fCR ? "\\r" : ""), &dHandedMs, &dWrittenMs) ||
            TRUE != rig.WaitForScans(iScan + 1)) {
            return 1;
        }
        // A label delivered twice shows at the next one's check, or at the end.
        if (TRUE != CheckScan(rig, iScan, LabelScan(iLabel))) {
            return 1;
        }
        if (i >= 0) {
            samples.push_back(CounterMs(rig.GetScans()[iScan].llReceived) - dWrittenMs);
        }
    }
    PumpWait(NULL, 2 * SCANNER_TIMER_PERIOD + dwIdleTimeoutMs);
    if (TRUE != CheckScan(rig, WARM_UP_LABELS + nLabels - 1, LabelScan((nLabels - 1) % 100)) ||
        TRUE != rig.Stop()) {
        return 1;
    }
    char szWhat[96];
    _snprintf(szWhat, sizeof(szWhat), "serial Terminator=%s: last byte written -> WM_COPYDATA",
              fCR ? "CR" : "None");
    szWhat[sizeof(szWhat) - 1] = '\0';
    PrintSummary(szWhat, Summarize(samples));
    DWORD dwGoalMs = SCANNER_TIMER_PERIOD + GOAL_MARGIN_MS + (fCR ? 0 : dwIdleTimeoutMs);
    printf("  goal: median within %lu ms (the %d ms tick%s + %d ms)\n", (unsigned long)dwGoalMs,
           SCANNER_TIMER_PERIOD, fCR ? "" : " + the idle timeout", GOAL_MARGIN_MS);
    if (TRUE != fCR) {
        printf("  idle timeout %lu ms; label %llu bytes\n", (unsigned long)dwIdleTimeoutMs,
               (unsigned long long)LabelScan(0).size());
    }
    return 0;
}

int MeasureBatch(int nLabels, int nRounds)
{
    SerialRig rig;
    if (TRUE != rig.Start("Terminator=CR\r\n")) {
        return 1;
    }
    std::string strBatch;
    std::vector<std::wstring> expected;
    size_t cbBatch = 0;
    for (int i = 0; i < nLabels; i++) {
        strBatch += LabelFeedLine(i) + "\\r";
        expected.push_back(WidenScan(LabelScan(i)));
        cbBatch += LabelScan(i).size() + 1;
    }
    std::vector<double> toLast, toFirst, afterWritten;
    for (int iRound = 0; iRound < nRounds; iRound++) {
        PumpWait(NULL, NextGapMs());
        size_t iFirst = rig.GetScans().size();
        double dHandedMs = 0, dWrittenMs = 0;
        if (TRUE != rig.Write(strBatch, &dHandedMs, &dWrittenMs) ||
            TRUE != rig.WaitForScans(iFirst + nLabels)) {
            return 1;
        }
        // None more may come.
        PumpWait(NULL, 2 * SCANNER_TIMER_PERIOD);
        const std::vector<ReceivedScan>& scans = rig.GetScans();
        if (scans.size() != iFirst + nLabels) {
            fprintf(stderr, "round %d: %llu scans instead of %d\n", iRound,
                    (unsigned long long)(scans.size() - iFirst), nLabels);
            return 1;
        }
        for (int i = 0; i < nLabels; i++) {
            if (scans[iFirst + i].strText != expected[i]) {
                fprintf(stderr, "round %d: scan %d arrived wrong\n", iRound, i);
                return 1;
            }
        }
        double dFirstMs = CounterMs(scans[iFirst].llReceived);
        double dLastMs = CounterMs(scans.back().llReceived);
        toFirst.push_back(dFirstMs - dHandedMs);
        toLast.push_back(dLastMs - dHandedMs);
        afterWritten.push_back(dLastMs - dWrittenMs);
        printf("round %d: %d labels, %llu bytes: handed over -> first %.1f ms, -> last %.1f ms; "
               "last byte taken by the pty -> last %.1f ms\n",
               iRound, nLabels, (unsigned long long)cbBatch, toFirst.back(), toLast.back(),
               afterWritten.back());
    }
    if (TRUE != rig.Stop()) {
        return 1;
    }
    char szWhat[96];
    _snprintf(szWhat, sizeof(szWhat), "serial batch of %d labels: write handed over -> last WM_COPYDATA",
              nLabels);
    szWhat[sizeof(szWhat) - 1] = '\0';
    PrintSummary(szWhat, Summarize(toLast));
    PrintSummary("  write handed over -> first WM_COPYDATA", Summarize(toFirst));
    PrintSummary("  last byte taken by the pty -> last WM_COPYDATA", Summarize(afterWritten));
    printf("  goal: every label delivered within %d ms\n", BATCH_GOAL_MS);
    return 0;
}

// What the module's tick costs by itself, without a back-end: this thread
// runs the frame's timer and its zero-time wait on an event for dwMs, while
// the module idles beside it on the same machine.
BOOL RunBareTicks(DWORD dwMs)
{
    HANDLE hEvent = CreateEventW(NULL, TRUE, FALSE, NULL);
    UINT_PTR uTimer = SetTimer(NULL, 0, SCANNER_TIMER_PERIOD, NULL);
    if (NULL == hEvent || 0 == uTimer) {
        fprintf(stderr, "no event or timer for the bare ticks\n");
        if (NULL != hEvent) {
            CloseHandle(hEvent);
        }
        return FALSE;
    }
    double dEnd = NowMs() + dwMs;
    MSG msg;
    while (NowMs() < dEnd && GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (WM_TIMER == msg.message) {
            WaitForMultipleObjects(1, &hEvent, FALSE, 0);
        }
        DispatchMessageW(&msg);
    }
    KillTimer(NULL, uTimer);
    CloseHandle(hEvent);
    return TRUE;
}

int MeasureIdle(DWORD dwSeconds)
{
    SerialRig rig;
    if (TRUE != rig.Start("")) {
        return 1;
    }
    // A label before and after: the port was open and read all along.
    double dHandedMs = 0, dWrittenMs = 0;
    if (TRUE != rig.Write(LabelFeedLine(0) + "\\r", &dHandedMs, &dWrittenMs) ||
        TRUE != rig.WaitForScans(1) || TRUE != CheckScan(rig, 0, LabelScan(0))) {
        return 1;
    }
    PumpWait(NULL, SETTLE_MS);

    // This program's own looks lie inside the module's, so that its span
    // holds nothing but the bare ticks.
    CpuLook module0, self0, module1, self1;
    double dStart = NowMs();
    if (TRUE != LookAtCpu(rig.GetProcess(), rig.GetProgramPath(), &module0) ||
        TRUE != LookAtCpu(GetCurrentProcess(), L"", &self0)) {
        return 1;
    }
    double dSelfStart = NowMs();
    if (TRUE != RunBareTicks(dwSeconds * 1000)) {
        return 1;
    }
    double dSelfSeconds = (NowMs() - dSelfStart) / 1000.0;
    if (TRUE != LookAtCpu(GetCurrentProcess(), L"", &self1) ||
        TRUE != LookAtCpu(rig.GetProcess(), rig.GetProgramPath(), &module1)) {
        return 1;
    }
    double dSeconds = (NowMs() - dStart) / 1000.0;
    if (WAIT_TIMEOUT != WaitForSingleObject(rig.GetProcess(), 0)) {
        fprintf(stderr, "the module ended while idling\n");
        return 1;
    }
    if (TRUE != rig.Write(LabelFeedLine(1) + "\\r", &dHandedMs, &dWrittenMs) ||
        TRUE != rig.WaitForScans(2) || TRUE != CheckScan(rig, 1, LabelScan(1)) || TRUE != rig.Stop()) {
        return 1;
    }
    PrintCpuUsed(SERIAL_PROGRAM L" (port open)", module0, module1, dSeconds);
    PrintCpuUsed(L"bench_wine.exe meanwhile: the frame's bare tick, a timer and a zero-time wait",
                 self0, self1, dSelfSeconds);
    printf("  wake-ups in that time: module tick %.0f\n", dSeconds * 1000.0 / SCANNER_TIMER_PERIOD);
    printf("  goal: below %.1f %% of one core\n", IDLE_GOAL_PERCENT);
    return 0;
}

}  // namespace

BOOL IsSerialBenchMode(const WCHAR* pszMode)
{
    return 0 == wcsncmp(pszMode, L"serial-", 7) ? TRUE : FALSE;
}

int RunSerialBench(int argc, WCHAR** argv)
{
    std::wstring strMode = argv[1];
    if (L"serial-latency" == strMode && argc >= 3) {
        int nLabels = argc >= 4 ? _wtoi(argv[3]) : 100;
        return nLabels > 0 ? MeasureLatency(argv[2], nLabels) : 2;
    }
    if (L"serial-batch" == strMode) {
        int nLabels = argc >= 3 ? _wtoi(argv[2]) : 500;
        int nRounds = argc >= 4 ? _wtoi(argv[3]) : 5;
        return nLabels > 0 && nRounds > 0 ? MeasureBatch(nLabels, nRounds) : 2;
    }
    if (L"serial-idle" == strMode) {
        int nSeconds = argc >= 3 ? _wtoi(argv[2]) : 30;
        return nSeconds > 0 ? MeasureIdle((DWORD)nSeconds) : 2;
    }
    return 2;
}
