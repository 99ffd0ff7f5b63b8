// Figures of the real programs under Wine, measured from outside them:
//
//   bench_wine latency MODULE DELAY [LABELS]   label fed -> its last character
//                                              in a focused EDIT control, with
//                                              the host and "InterKeyDelay"
//                                              DELAY
//   bench_wine module MODULE [LABELS]          label fed -> WM_COPYDATA at a
//                                              receiver window of ours, the
//                                              module alone
//   bench_wine idle MODULE [SECONDS]           CPU time of host and module
//                                              with no scans
//   bench_wine target [ROUNDS]                 the host's reading of the
//                                              foreground window's description
//                                              (ForegroundTargetReader), per
//                                              scan, with a window of another
//                                              process in front
//   bench_wine scanlog [LINES]                 what the scan log adds to a
//                                              scan: one "scan" line appended,
//                                              the rename at the cap, a line
//                                              dropped when the folder cannot
//                                              be made
//   bench_wine soak MODULE SCANS [DELAY [SEED [keep]]]
//                                              the long run (Soak.h): scans
//                                              lost among SCANS fed in bursts;
//                                              "keep" never empties the EDIT;
//                                              MODULE "direct": the same key
//                                              events sent without Tolvex
//   bench_wine type FILE DELAY                 (the sender of "direct")
//   bench_wine serial-...                      the serial module's figures
//                                              (SerialBench.cpp)
//
// Labels are fed one at a time: the next only after the last has arrived and
// a pause of 0..99 ms, so that the stand-in never holds two and the labels
// meet the module's 100 ms tick at every phase. A few labels before the
// measured ones warm the road up. A label that arrives wrong ends the run
// with exit code 1: a figure is only worth its correct output.
#include <windows.h>

#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "BenchRig.h"
#include "CpuLook.h"
#include "Soak.h"
#include "SerialBench.h"
#include "common/AnsiText.h"
#include "common/Events.h"
#include "common/Folders.h"
#include "host/ForegroundTarget.h"
#include "host/ScanLog.h"
#include "support/TestWindows.h"
#include "support/ModuleReceiver.h"
#include "support/SimSession.h"
#include "support/TestFiles.h"
#include "support/TestInstallation.h"
#include "support/TypingTarget.h"

namespace {

#define EDIT_ALONE_ROUNDS 20
// The module's poll period, the bound of the wait for delivery.
#define MODULE_TICK_MS 100
// How long the programs get to settle after start-up before idling is timed.
#define IDLE_SETTLE_MS 3000
// How long the module gets to stop, as the host gives it.
#define MODULE_STOP_WAIT_MS 1000

// One label's road as seen from here, in milliseconds from the feeding.
struct Arrival
{
    // The stand-in took it from the feed (its call log says so).
    double dTaken;
    // The first key event reached this thread.
    double dFirstKey;
    // The system's time stamps of the first and the last key event: when
    // the host sent them.
    DWORD dwFirstKeyTime;
    DWORD dwLastKeyTime;
    // It arrived: the whole text in the EDIT control, or the scan at the
    // receiver window.
    double dArrived;
    // Time this thread spent handling the messages meanwhile: the receiving
    // application's own work.
    double dHandling;
};

BOOL IsKeyEvent(UINT uMsg)
{
    return WM_KEYDOWN == uMsg || WM_KEYUP == uMsg || WM_SYSKEYDOWN == uMsg || WM_SYSKEYUP == uMsg;
}

// Dispatches messages until fnArrived holds, timing it from dStartMs. The
// messages are taken one at a time and the check follows each, so the time is
// that of the message that completed the text, not of the end of a burst.
// Until the stand-in has taken the label its log is looked at every
// millisecond. FALSE after ARRIVAL_TIMEOUT_MS.
template <typename Arrived>
BOOL WaitForArrival(SimFeedWatch& watch, double dStartMs, Arrived fnArrived, Arrival* pArrival)
{
    BOOL fTaken = FALSE;
    BOOL fKeys = FALSE;
    pArrival->dHandling = 0;
    for (;;) {
        if (TRUE != fTaken && TRUE == watch.SawFeed()) {
            fTaken = TRUE;
            pArrival->dTaken = NowMs() - dStartMs;
        }
        MSG msg;
        BOOL fDispatched = FALSE;
        if (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            double dBefore = NowMs();
            if (IsKeyEvent(msg.message)) {
                if (TRUE != fKeys) {
                    fKeys = TRUE;
                    pArrival->dFirstKey = dBefore - dStartMs;
                    pArrival->dwFirstKeyTime = msg.time;
                }
                pArrival->dwLastKeyTime = msg.time;
            }
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
            pArrival->dHandling += NowMs() - dBefore;
            fDispatched = TRUE;
        }
        if (fnArrived()) {
            pArrival->dArrived = NowMs() - dStartMs;
            if (TRUE != fTaken) {
                // Taken and delivered between two looks.
                pArrival->dTaken = pArrival->dArrived;
            }
            if (TRUE != fKeys) {
                pArrival->dFirstKey = pArrival->dArrived;
                pArrival->dwFirstKeyTime = 0;
                pArrival->dwLastKeyTime = 0;
            }
            return TRUE;
        }
        if (NowMs() - dStartMs > ARRIVAL_TIMEOUT_MS) {
            return FALSE;
        }
        if (TRUE != fDispatched) {
            MsgWaitForMultipleObjects(0, NULL, FALSE, TRUE == fTaken ? 5 : 1, QS_ALLINPUT);
        }
    }
}

// The parts of many labels' roads.
struct Samples
{
    std::vector<double> whole;
    std::vector<double> taking;
    std::vector<double> afterTaken;
    std::vector<double> toFirstKey;
    std::vector<double> typing;
    std::vector<double> toLastKey;
    std::vector<double> catchingUp;
    std::vector<double> handling;

    void Add(const Arrival& arrival)
    {
        whole.push_back(arrival.dArrived);
        taking.push_back(arrival.dTaken);
        afterTaken.push_back(arrival.dArrived - arrival.dTaken);
        toFirstKey.push_back(arrival.dFirstKey - arrival.dTaken);
        // The first key event is handled at once (this thread waits for it),
        // so the last one was sent the typing span after it arrived here.
        double dTyping = (double)(arrival.dwLastKeyTime - arrival.dwFirstKeyTime);
        typing.push_back(dTyping);
        toLastKey.push_back(arrival.dFirstKey + dTyping);
        catchingUp.push_back(arrival.dArrived - (arrival.dFirstKey + dTyping));
        handling.push_back(arrival.dHandling);
    }
};

// The receiving control's own cost, without the programs: the characters of
// one label's text sent straight to the EDIT control as WM_CHAR (Enter as
// one CR, which the control turns into CR LF), nRounds times.
BOOL MeasureEditAlone(TypingTarget& target, const std::wstring& strText, int nRounds,
                      std::vector<double>* pSamples)
{
    for (int i = 0; i < nRounds; i++) {
        target.Clear();
        double dStart = NowMs();
        for (size_t iChar = 0; iChar < strText.size(); iChar++) {
            if (L'\n' != strText[iChar] || 0 == iChar || L'\r' != strText[iChar - 1]) {
                SendMessageW(target.GetEdit(), WM_CHAR, strText[iChar], 1);
            }
        }
        PumpMessages();
        pSamples->push_back(NowMs() - dStart);
        if (target.GetText() != strText) {
            return FALSE;
        }
    }
    target.Clear();
    return TRUE;
}

int MeasureLatency(const BenchModule& module, DWORD nDelay, int nLabels)
{
    BenchInstallation installation(module, nDelay);
    if (TRUE != installation.IsReady()) {
        fprintf(stderr, "the installation could not be made\n");
        return 1;
    }
    SimFeedWatch watch;
    if (TRUE != watch.IsReady()) {
        fprintf(stderr, "the call log cannot be read\n");
        return 1;
    }
    // The control alone first, while nothing else of ours runs.
    TypingTarget target;
    ExpectedTyping expected;
    std::vector<double> editAlone;
    if (TRUE != ComputeExpectedTyping(LabelScan(0), nDelay, TRUE, &expected) ||
        TRUE != MeasureEditAlone(target, expected.strText, EDIT_ALONE_ROUNDS, &editAlone)) {
        fprintf(stderr, "the EDIT control did not take the label's text\n");
        return 1;
    }
    if (TRUE != installation.StartHost()) {
        fprintf(stderr, "the host or its module did not start\n");
        return 1;
    }
    Samples samples;
    for (int i = -WARM_UP_LABELS; i < nLabels; i++) {
        int iLabel = (i + 100) % 100;
        if (TRUE != ComputeExpectedTyping(LabelScan(iLabel), nDelay, TRUE, &expected)) {
            fprintf(stderr, "the example script gave nothing for label %d\n", i);
            return 1;
        }
        target.Clear();
        PumpWait(NULL, NextGapMs());
        HWND hEdit = target.GetEdit();
        if (hEdit != GetFocus() && TRUE != target.Focus()) {
            fprintf(stderr, "the EDIT control did not get the focus\n");
            return 1;
        }
        size_t cchExpected = expected.strText.size();
        watch.SawFeed();
        double dStart = NowMs();
        Arrival arrival;
        if (TRUE != installation.GetSim().FeedLine(LabelFeedLine(iLabel)) ||
            TRUE != WaitForArrival(
                        watch, dStart,
                        [&]() { return (size_t)GetWindowTextLengthW(hEdit) >= cchExpected; },
                        &arrival)) {
            fprintf(stderr, "label %d was not typed within %d ms (the EDIT control holds \"%ls\")\n",
                    i, ARRIVAL_TIMEOUT_MS, target.GetText().c_str());
            return 1;
        }
        // A straggling key event would still come: look once more, briefly.
        PumpWait(NULL, 20);
        std::wstring strText = target.GetText();
        if (strText != expected.strText) {
            fprintf(stderr, "label %d typed wrong: \"%ls\" instead of \"%ls\"\n", i,
                    strText.c_str(), expected.strText.c_str());
            return 1;
        }
        if (i >= 0) {
            samples.Add(arrival);
        }
    }
    if (TRUE != installation.CloseHost()) {
        return 1;
    }

    char szWhat[128];
    _snprintf(szWhat, sizeof(szWhat), "end-to-end %ls InterKeyDelay=%lu", module.pszProgram,
              (unsigned long)nDelay);
    szWhat[sizeof(szWhat) - 1] = '\0';
    PrintSummary(szWhat, Summarize(samples.whole));
    PrintSummary("  fed -> taken by the stand-in", Summarize(samples.taking));
    PrintSummary("  taken -> first key event here", Summarize(samples.toFirstKey));
    PrintSummary("  first -> last key event sent", Summarize(samples.typing));
    PrintSummary("  fed -> last key event sent", Summarize(samples.toLastKey));
    PrintSummary("  last key event -> last character shown", Summarize(samples.catchingUp));
    PrintSummary("  the EDIT control's own handling", Summarize(samples.handling));
    PrintSummary("  the EDIT control alone, WM_CHAR sent directly", Summarize(editAlone));
    printf("  typing per label: %llu key events, %llu pauses x %lu ms = %lu ms of pacing\n",
           (unsigned long long)expected.nEvents, (unsigned long long)expected.nPauses,
           (unsigned long)nDelay, (unsigned long)(expected.nPauses * nDelay));
    printf("  bounds: %d ms tick for delivery, %lu ms pacing for typing\n", MODULE_TICK_MS,
           (unsigned long)(expected.nPauses * nDelay));
    return 0;
}

int MeasureModule(const BenchModule& module, int nLabels)
{
    SimSession sim;
    TestInstallation installation(module.rgpszLibraries);
    installation.CopyFromBuild(module.pszProgram, module.pszProgram);
    ModuleReceiver receiver;
    if (TRUE != sim.IsReady() || TRUE != installation.IsReady() || NULL == receiver.GetWindow() ||
        TRUE != sim.SetConditions(module.pszConditions)) {
        fprintf(stderr, "the installation could not be made\n");
        return 1;
    }
    if (NULL != module.pszSettingsFile &&
        TRUE != installation.WriteFile(module.pszSettingsFile, module.pszSettings)) {
        fprintf(stderr, "the module's settings could not be written\n");
        return 1;
    }
    SimFeedWatch watch;
    if (TRUE != watch.IsReady()) {
        fprintf(stderr, "the call log cannot be read\n");
        return 1;
    }
    // As the host does: the events first, then the module.
    TestProcess process;
    if (TRUE != CreateStopEvents(receiver.GetWindow()) ||
        TRUE != installation.StartModule(process, module.pszProgram, receiver.GetWindow(),
                                         sim.GetFolder().GetPath().c_str())) {
        fprintf(stderr, "the module did not start\n");
        CloseStopEvents();
        return 1;
    }
    int nResult = 0;
    Samples samples;
    for (int i = -WARM_UP_LABELS; i < nLabels && 0 == nResult; i++) {
        int iLabel = (i + 100) % 100;
        PumpWait(NULL, NextGapMs());
        size_t nBefore = receiver.GetScans().size();
        watch.SawFeed();
        double dStart = NowMs();
        Arrival arrival;
        if (TRUE != sim.FeedLine(LabelFeedLine(iLabel)) ||
            TRUE != WaitForArrival(watch, dStart,
                                   [&]() { return receiver.GetScans().size() > nBefore; },
                                   &arrival)) {
            fprintf(stderr, "label %d did not arrive within %d ms\n", i, ARRIVAL_TIMEOUT_MS);
            nResult = 1;
            break;
        }
        if (receiver.GetScans().back().strText != WidenScan(LabelScan(iLabel))) {
            fprintf(stderr, "label %d arrived wrong\n", i);
            nResult = 1;
        }
        if (i >= 0) {
            samples.Add(arrival);
        }
    }

    SetEvent(ghStopInputModuleEvent);
    BOOL fStopped = PumpWait(ghInputModuleEventStopped, MODULE_STOP_WAIT_MS);
    DWORD dwExitCode = STILL_ACTIVE;
    if (TRUE != fStopped || TRUE != process.Wait(5000, &dwExitCode) || 0 != dwExitCode) {
        fprintf(stderr, "the module did not stop with exit code 0\n");
        nResult = 1;
    }
    CloseStopEvents();
    if (0 != nResult) {
        return nResult;
    }

    char szWhat[128];
    _snprintf(szWhat, sizeof(szWhat), "module alone %ls", module.pszProgram);
    szWhat[sizeof(szWhat) - 1] = '\0';
    PrintSummary(szWhat, Summarize(samples.whole));
    PrintSummary("  fed -> taken by the stand-in", Summarize(samples.taking));
    PrintSummary("  taken -> WM_COPYDATA here", Summarize(samples.afterTaken));
    printf("  bound: %d ms tick\n", MODULE_TICK_MS);
    return 0;
}

int MeasureIdle(const BenchModule& module, DWORD dwSeconds)
{
    BenchInstallation installation(module, 0);
    if (TRUE != installation.IsReady() || TRUE != installation.StartHost()) {
        fprintf(stderr, "the host or its module did not start\n");
        return 1;
    }
    Sleep(IDLE_SETTLE_MS);

    std::wstring strHostPath = installation.GetFilePath(L"Tolvex.exe");
    std::wstring strModulePath = installation.GetFilePath(module.pszProgram);
    // This program's own count, beside the others: what GetProcessTimes
    // reports for another process can be checked against it.
    CpuLook host0, module0, self0, host1, module1, self1;
    double dStart = NowMs();
    if (TRUE != LookAtCpu(installation.GetHost(), strHostPath, &host0) ||
        TRUE != LookAtCpu(installation.GetModule(), strModulePath, &module0) ||
        TRUE != LookAtCpu(GetCurrentProcess(), L"", &self0)) {
        return 1;
    }
    Sleep(dwSeconds * 1000);
    if (TRUE != LookAtCpu(installation.GetHost(), strHostPath, &host1) ||
        TRUE != LookAtCpu(installation.GetModule(), strModulePath, &module1) ||
        TRUE != LookAtCpu(GetCurrentProcess(), L"", &self1)) {
        return 1;
    }
    double dSeconds = (NowMs() - dStart) / 1000.0;

    // Both must still run, or the figures are of something else.
    if (WAIT_TIMEOUT != WaitForSingleObject(installation.GetHost(), 0) ||
        WAIT_TIMEOUT != WaitForSingleObject(installation.GetModule(), 0)) {
        fprintf(stderr, "host or module ended while idling\n");
        return 1;
    }
    if (TRUE != installation.CloseHost()) {
        return 1;
    }

    PrintCpuUsed(L"Tolvex.exe", host0, host1, dSeconds);
    PrintCpuUsed(module.pszProgram, module0, module1, dSeconds);
    PrintCpuUsed(L"bench_wine.exe (this program)", self0, self1, dSeconds);
    printf("  wake-ups in that time: module tick %.0f, host watch %.0f\n",
           dSeconds * 1000.0 / MODULE_TICK_MS, dSeconds);
    return 0;
}

// The window in front while the reading is timed: this program again, as
// "bench_wine target-window", showing a typing target until it is closed.
#define TARGET_WINDOW_MODE L"target-window"
#define TARGET_WINDOW_LIFETIME_MS 600000
#define TARGET_WARM_UP_ROUNDS 10

int ShowTargetWindow()
{
    TypingTarget target;
    HWND hWnd = target.GetWindow();
    // Wine activates a newly started program's window late.
    if (NULL == hWnd || TRUE != target.FocusUntilSettled(ARRIVAL_TIMEOUT_MS)) {
        return 1;
    }
    ULONGLONG ullStart = GetTickCount64();
    while (IsWindow(hWnd) && GetTickCount64() - ullStart < TARGET_WINDOW_LIFETIME_MS) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        PumpMessages();
    }
    return 0;
}

// Times nRounds readings after a few to warm up, in microseconds; a fresh
// reader each time when fFirstRead is TRUE (a scan into a window that none of
// the last scans went to), else one reader throughout.
std::vector<double> TimeTargetReading(int nRounds, BOOL fFirstRead)
{
    std::vector<double> rgMicroseconds;
    ForegroundTargetReader reader;
    for (int i = 0; i < TARGET_WARM_UP_ROUNDS + nRounds; i++) {
        ForegroundTargetReader fresh;
        ForegroundTargetReader& used = (TRUE == fFirstRead) ? fresh : reader;
        double dStart = NowMs();
        ScanTarget target = used.Read(GetForegroundWindow());
        double dMicroseconds = (NowMs() - dStart) * 1000.0;
        if (i >= TARGET_WARM_UP_ROUNDS) {
            rgMicroseconds.push_back(dMicroseconds);
        }
    }
    return rgMicroseconds;
}

int MeasureTargetReading(int nRounds)
{
    TestProcess window;
    std::wstring strProgram = GetTestProgramPath(L"bench_wine.exe");
    if (TRUE != window.Start(strProgram.c_str(), TARGET_WINDOW_MODE)) {
        fprintf(stderr, "the target window's program did not start\n");
        return 1;
    }
    HWND hWnd = WaitForTopWindow(TYPING_TARGET_CLASS, NULL, ARRIVAL_TIMEOUT_MS, window.GetId());
    if (NULL == hWnd ||
        TRUE != PumpUntil([&] { return hWnd == GetForegroundWindow(); }, ARRIVAL_TIMEOUT_MS)) {
        fprintf(stderr, "the target window did not come to the front\n");
        return 1;
    }
    // A figure is only worth its correct output: the target window is read
    // before the timing and still in front after it.
    ForegroundTargetReader reader;
    ScanTarget target = reader.Read(GetForegroundWindow());
    printf("read: app \"%s\", title \"%s\", class \"%s\"\n", target.strApp.c_str(),
           target.strTitle.c_str(), target.strClass.c_str());
    if ("bench_wine.exe" != target.strApp || NarrowUtf8(TYPING_TARGET_CLASS) != target.strClass) {
        fprintf(stderr, "the description read is wrong\n");
        return 1;
    }
    PrintSummary("foreground description, scan into a window of the last 8 scans",
                 Summarize(TimeTargetReading(nRounds, FALSE)), "us");
    PrintSummary("foreground description, first scan into a window",
                 Summarize(TimeTargetReading(nRounds, TRUE)), "us");
    BOOL fStillInFront = (hWnd == GetForegroundWindow()) ? TRUE : FALSE;
    if (TRUE != fStillInFront) {
        fprintf(stderr, "the target window lost the foreground while the reading was timed\n");
    }
    PostMessageW(hWnd, WM_CLOSE, 0, 0);
    return (TRUE == window.Wait(ARRIVAL_TIMEOUT_MS, NULL) && TRUE == fStillInFront) ? 0 : 1;
}

// The time of each of nLines calls of pfnWrite, after an untimed call of
// pfnPrepare each, in microseconds; empty when a preparation failed or a
// write did not answer fExpected.
template <typename TPrepare, typename TWrite>
std::vector<double> TimeWrites(int nLines, BOOL fExpected, TPrepare pfnPrepare, TWrite pfnWrite)
{
    std::vector<double> samples;
    for (int i = 0; i < nLines; i++) {
        if (TRUE != pfnPrepare()) {
            return std::vector<double>();
        }
        double dStart = NowMs();
        BOOL fWritten = pfnWrite();
        samples.push_back((NowMs() - dStart) * 1000.0);
        if (fExpected != fWritten) {
            return std::vector<double>();
        }
    }
    return samples;
}

int MeasureScanLog(int nLines)
{
    // The label of the latency runs as the example script types it.
    ScanReport report;
    report.nOutcome = SCAN_OUTCOME_TYPED;
    report.strScan = LabelScan(0);
    report.strText = "09501101530003\t1.250\t260131\tABC123\tSERIAL00\t\r";
    report.nTypingMs = 67;
    TempFolder folder;
    ScanLog log(JoinPath(folder.GetPath().c_str(), SCAN_LOG_FOLDER_NAME));
    printf("scan line: %u bytes\n", (unsigned)FormatScanLine(GetLogTime(), report).size());
    auto write = [&] { return log.WriteScan(report); };

    std::vector<double> appended = TimeWrites(nLines, TRUE, [] { return TRUE; }, write);
    // Each rename with a file filled to just below the cap.
    std::string strFull(SCAN_LOG_MAX_BYTES - 10, 'x');
    std::vector<double> renamed = TimeWrites(nLines / 10 + 1, TRUE, [&] {
        return WriteTextFile(log.GetFilePath(), strFull);
    }, write);
    // A file where the folder should be.
    TempFolder blocked;
    std::wstring strBlocked = JoinPath(blocked.GetPath().c_str(), SCAN_LOG_FOLDER_NAME);
    ScanLog dropping(strBlocked);
    std::vector<double> dropped;
    if (TRUE == WriteTextFile(strBlocked, "")) {
        dropped = TimeWrites(nLines, FALSE, [] { return TRUE; },
                             [&] { return dropping.WriteScan(report); });
    }
    if (appended.empty() || renamed.empty() || dropped.empty()) {
        fprintf(stderr, "a scan line was not written, or not dropped, as it should be\n");
        return 1;
    }
    PrintSummary("scan line appended", Summarize(appended), "us");
    PrintSummary("scan line with the rename at 1 MB", Summarize(renamed), "us");
    PrintSummary("scan line dropped (the folder cannot be made)", Summarize(dropped), "us");
    return 0;
}

int Usage()
{
    fprintf(stderr,
            "usage: bench_wine latency MODULE DELAY [LABELS]\n"
            "       bench_wine module MODULE [LABELS]\n"
            "       bench_wine idle MODULE [SECONDS]\n"
            "       bench_wine target [ROUNDS]\n"
            "       bench_wine scanlog [LINES]\n"
            "       bench_wine soak MODULE|direct SCANS [DELAY [SEED [keep]]]\n"
            "       bench_wine serial-latency CR|None [LABELS]\n"
            "       bench_wine serial-batch [LABELS] [ROUNDS]\n"
            "       bench_wine serial-idle [SECONDS]\n"
            "MODULE: Quorlin, Pellimor, Dravet or Ostwin\n");
    return 2;
}

}  // namespace

int wmain(int argc, WCHAR** argv)
{
    // Output goes to a pipe or file under Wine: let every line out at once.
    setvbuf(stdout, NULL, _IONBF, 0);
    if (argc >= 2 && TRUE == IsSerialBenchMode(argv[1])) {
        int nResult = RunSerialBench(argc, argv);
        return 2 == nResult ? Usage() : nResult;
    }
    if (argc < 2) {
        return Usage();
    }
    std::wstring strMode = argv[1];
    if (TARGET_WINDOW_MODE == strMode) {
        return ShowTargetWindow();
    }
    if (L"target" == strMode) {
        int nRounds = argc >= 3 ? _wtoi(argv[2]) : 1000;
        return nRounds > 0 ? MeasureTargetReading(nRounds) : Usage();
    }
    if (L"scanlog" == strMode) {
        int nLines = argc >= 3 ? _wtoi(argv[2]) : 1000;
        return nLines > 0 ? MeasureScanLog(nLines) : Usage();
    }
    if (L"type" == strMode && argc >= 4) {
        return SendTypedLines(argv[2], (DWORD)_wtoi(argv[3]));
    }
    const BenchModule* pModule = (argc >= 3) ? FindBenchModule(argv[2]) : NULL;
    if (L"soak" == strMode && argc >= 4 && (NULL != pModule || 0 == wcscmp(argv[2], L"direct"))) {
        int nScans = _wtoi(argv[3]);
        DWORD nDelay = argc >= 5 ? (DWORD)_wtoi(argv[4]) : 1;
        unsigned int nSeed = argc >= 6 ? (unsigned int)_wtoi(argv[5]) : 1;
        BOOL fKeepText = (argc >= 7 && 0 == wcscmp(argv[6], L"keep")) ? TRUE : FALSE;
        return nScans > 0 ? RunSoak(pModule, nScans, nDelay, nSeed, fKeepText) : Usage();
    }
    if (NULL == pModule) {
        return Usage();
    }
    if (L"latency" == strMode && argc >= 4) {
        int nLabels = argc >= 5 ? _wtoi(argv[4]) : 100;
        return nLabels > 0 ? MeasureLatency(*pModule, (DWORD)_wtoi(argv[3]), nLabels) : Usage();
    }
    if (L"module" == strMode) {
        int nLabels = argc >= 4 ? _wtoi(argv[3]) : 100;
        return nLabels > 0 ? MeasureModule(*pModule, nLabels) : Usage();
    }
    if (L"idle" == strMode) {
        int nSeconds = argc >= 4 ? _wtoi(argv[3]) : 30;
        return nSeconds > 0 ? MeasureIdle(*pModule, (DWORD)nSeconds) : Usage();
    }
    return Usage();
}
