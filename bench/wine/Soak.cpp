#include "Soak.h"

#include <mmsystem.h>

#include <stdio.h>

#include <algorithm>
#include <string>
#include <vector>

#include "support/TestFiles.h"
#include "support/TestProcess.h"
#include "support/TypingTarget.h"

// The script of the soak: every scan typed as it came, then Enter.
#define SOAK_SCRIPT "function process(scan) return scan .. \"\\r\" end\n"
#define SOAK_MIN_LABEL 5
#define SOAK_MAX_LABEL 48
#define SOAK_MAX_BURST 100
// No change in the EDIT control for this long while text is still due: the
// burst has stalled (the control takes a character every few ms when it works).
#define SOAK_STALL_MS 20000
// After this many stalled bursts in a row the run ends: typing has stopped.
#define SOAK_STALLS_TO_GIVE_UP 3
#define SOAK_PROGRESS_EVERY 1000

namespace {

// The characters of the labels: printable, none with a meaning in the feed.
const char kszLabelChars[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-./";

// A fixed linear congruential sequence per seed: every run with the same seed
// feeds the same labels in the same bursts.
class SoakRandom
{
public:
    explicit SoakRandom(unsigned int nSeed) : m_nState(nSeed) {}

    // A number from nLow to nHigh.
    int Next(int nLow, int nHigh)
    {
        m_nState = m_nState * 1103515245u + 12345u;
        return nLow + (int)((m_nState >> 16) % (unsigned int)(nHigh - nLow + 1));
    }

private:
    unsigned int m_nState;
};

// One burst: its labels, the feed lines that carry them, and how many
// characters they make in the EDIT control (each label with CR LF).
struct Burst
{
    std::vector<std::string> labels;
    std::string strLines;
    size_t cchText;
};

Burst MakeBurst(SoakRandom& random, size_t nMost)
{
    Burst burst;
    burst.cchText = 0;
    size_t nLabels = (size_t)random.Next(1, SOAK_MAX_BURST);
    if (nLabels > nMost) {
        nLabels = nMost;
    }
    for (size_t i = 0; i < nLabels; i++) {
        std::string strLabel;
        int nLength = random.Next(SOAK_MIN_LABEL, SOAK_MAX_LABEL);
        for (int iChar = 0; iChar < nLength; iChar++) {
            strLabel += kszLabelChars[random.Next(0, (int)sizeof(kszLabelChars) - 2)];
        }
        burst.strLines += (0 == i ? "" : "\n") + strLabel;
        burst.cchText += strLabel.size() + 2;
        burst.labels.push_back(strLabel);
    }
    return burst;
}

// The lines of the EDIT control's text (each ended by CR LF), the last one
// also without its line end: a label cut short counts as a line.
std::vector<std::wstring> EditLines(const std::wstring& strText)
{
    std::vector<std::wstring> lines;
    size_t iStart = 0;
    size_t iEnd;
    while (std::wstring::npos != (iEnd = strText.find(L"\r\n", iStart))) {
        lines.push_back(strText.substr(iStart, iEnd - iStart));
        iStart = iEnd + 2;
    }
    if (iStart < strText.size()) {
        lines.push_back(strText.substr(iStart));
    }
    return lines;
}

// What a burst came to: labels found in order, labels missing, and lines that
// are no label of the burst (a label typed wrong or cut short).
struct BurstCount
{
    size_t nTyped;
    size_t nLost;
    size_t nWrong;
};

BurstCount CountBurst(const std::vector<std::string>& labels, const std::wstring& strText)
{
    std::vector<std::wstring> lines = EditLines(strText);
    BurstCount count = { 0, 0, 0 };
    size_t iLine = 0;
    for (const std::string& strLabel : labels) {
        std::wstring strWide(strLabel.begin(), strLabel.end());
        size_t iFound = iLine;
        while (iFound < lines.size() && lines[iFound] != strWide) {
            iFound++;
        }
        if (iFound == lines.size()) {
            count.nLost++;
            continue;
        }
        count.nWrong += iFound - iLine;
        count.nTyped++;
        iLine = iFound + 1;
    }
    count.nWrong += lines.size() - iLine;
    return count;
}

const char* KeyDown(int nVk)
{
    return (GetAsyncKeyState(nVk) & 0x8000) ? "down" : "up";
}

// Where the labels come from: the host with its module and the simulated
// terminal, or, without Tolvex, this program started once per burst with
// "type" to send the same key events at the same pace (SendTypedLines).
class SoakSource
{
public:
    SoakSource(const BenchModule* pModule, DWORD nDelay)
        : m_pInstallation(NULL == pModule ? NULL
                                          : new BenchInstallation(*pModule, nDelay, SOAK_SCRIPT)),
          m_nDelay(nDelay)
    {
    }
    ~SoakSource() { delete m_pInstallation; }

    SoakSource(const SoakSource&) = delete;
    SoakSource& operator=(const SoakSource&) = delete;

    BOOL IsReady()
    {
        return NULL == m_pInstallation
                   ? !m_folder.GetPath().empty()
                   : (m_pInstallation->IsReady() && m_watch.IsReady());
    }
    BOOL Start() { return NULL == m_pInstallation ? TRUE : m_pInstallation->StartHost(); }

    // The lines of one burst, each a label.
    BOOL Send(const std::string& strLines)
    {
        if (NULL != m_pInstallation) {
            // The whole burst in one write, as a scanner's buffer empties.
            return m_pInstallation->GetSim().FeedLine(strLines);
        }
        std::wstring strFile = m_folder.GetFilePath(L"burst.txt");
        WCHAR szArguments[MAX_PATH + 32];
        _snwprintf(szArguments, MAX_PATH + 32, L"type \"%ls\" %lu", strFile.c_str(),
                   (unsigned long)m_nDelay);
        szArguments[MAX_PATH + 31] = L'\0';
        DWORD dwExitCode = 1;
        // Started and awaited here: meanwhile its key events wait in the queue.
        BOOL fSent = (TRUE == WriteTextFile(strFile, strLines + "\n") &&
                      TRUE == m_sender.Start(GetTestProgramPath(L"bench_wine.exe").c_str(),
                                             szArguments) &&
                      TRUE == m_sender.Wait(600000, &dwExitCode) && 0 == dwExitCode)
                         ? TRUE
                         : FALSE;
        m_sender.Close();
        return fSent;
    }

    // What the source's side shows at a stall.
    void PrintState(size_t nFed)
    {
        if (NULL == m_pInstallation) {
            printf("  stall: %llu labels sent without Tolvex\n", (unsigned long long)nFed);
            return;
        }
        m_watch.SawFeed();
        printf("  stall: %llu labels fed, %llu taken by the stand-in; host %s, module %s\n",
               (unsigned long long)nFed, (unsigned long long)m_watch.GetFeedsSeen(),
               WAIT_TIMEOUT == WaitForSingleObject(m_pInstallation->GetHost(), 0) ? "running"
                                                                                  : "ended",
               WAIT_TIMEOUT == WaitForSingleObject(m_pInstallation->GetModule(), 0) ? "running"
                                                                                    : "ended");
    }

    BOOL Finish() { return NULL == m_pInstallation ? TRUE : m_pInstallation->CloseHost(); }

private:
    BenchInstallation* m_pInstallation;
    DWORD m_nDelay;
    // After the installation: its simulated terminal names the call log.
    SimFeedWatch m_watch;
    TempFolder m_folder;
    TestProcess m_sender;
};

// What can be seen from here when typing has stalled.
void PrintStall(TypingTarget& target, SoakSource& source, size_t nFed)
{
    std::wstring strText = target.GetText();
    std::wstring strTail = strText.size() > 60 ? strText.substr(strText.size() - 60) : strText;
    for (WCHAR& ch : strTail) {
        if (L'\r' == ch || L'\n' == ch) {
            ch = L'|';
        }
    }
    source.PrintState(nFed);
    GUITHREADINFO info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    GetGUIThreadInfo(0, &info);
    printf("  stall: the EDIT control holds %llu characters, ending \"%ls\"\n",
           (unsigned long long)strText.size(), strTail.c_str());
    printf("  stall: foreground is the target %s, focus on its EDIT control %s\n",
           info.hwndActive == target.GetWindow() ? "yes" : "no",
           info.hwndFocus == target.GetEdit() ? "yes" : "no");
    printf("  stall: keys Shift %s, Control %s, Alt %s, left Windows %s, right Windows %s; "
           "Caps Lock %s; input waiting here: %s\n",
           KeyDown(VK_SHIFT), KeyDown(VK_CONTROL), KeyDown(VK_MENU), KeyDown(VK_LWIN),
           KeyDown(VK_RWIN), (GetKeyState(VK_CAPITAL) & 1) ? "on" : "off",
           (HIWORD(GetQueueStatus(QS_INPUT)) & QS_INPUT) ? "yes" : "no");
}

// Dispatches this thread's messages until the EDIT control holds at least
// cchExpected characters and nothing more has come for a moment (TRUE), or
// until neither its text nor the characters reaching it (WM_CHAR) have
// changed for SOAK_STALL_MS (FALSE). *pnChars: the characters that reached it.
BOOL WaitForBurst(TypingTarget& target, size_t cchExpected, size_t* pnChars)
{
    ULONGLONG ullLastChange = GetTickCount64();
    int nLast = -1;
    size_t nCharsSeen = 0;
    *pnChars = 0;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            if (WM_CHAR == msg.message && target.GetEdit() == msg.hwnd) {
                (*pnChars)++;
            }
            DispatchMessageW(&msg);
        }
        int nNow = GetWindowTextLengthW(target.GetEdit());
        ULONGLONG ullNow = GetTickCount64();
        if (nNow != nLast || *pnChars != nCharsSeen) {
            nLast = nNow;
            nCharsSeen = *pnChars;
            ullLastChange = ullNow;
        }
        if ((size_t)nNow >= cchExpected && ullNow - ullLastChange >= 200) {
            return TRUE;
        }
        if (ullNow - ullLastChange >= SOAK_STALL_MS) {
            return FALSE;
        }
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace

int RunSoak(const BenchModule* pModule, int nScans, DWORD nDelay, unsigned int nSeed,
            BOOL fKeepText)
{
    SoakSource source(pModule, nDelay);
    TypingTarget target;
    if (TRUE != source.IsReady() || NULL == target.GetEdit()) {
        fprintf(stderr, "the installation, the call log or the EDIT control is missing\n");
        return 1;
    }
    // Wine activates the newly started host's and module's windows late.
    if (TRUE != source.Start() || TRUE != target.FocusUntilSettled(ARRIVAL_TIMEOUT_MS)) {
        fprintf(stderr, "the host or its module did not start\n");
        return 1;
    }
    printf("soak %ls: %d scans, InterKeyDelay %lu, seed %u, labels of %d to %d characters in "
           "bursts of 1 to %d, the EDIT control %s (its limit: %lu characters)\n",
           NULL == pModule ? L"without Tolvex" : pModule->pszProgram, nScans,
           (unsigned long)nDelay, nSeed, SOAK_MIN_LABEL,
           SOAK_MAX_LABEL, SOAK_MAX_BURST,
           TRUE == fKeepText ? "never emptied" : "emptied after every burst",
           (unsigned long)SendMessageW(target.GetEdit(), EM_GETLIMITTEXT, 0, 0));

    SoakRandom random(nSeed);
    size_t nFed = 0;
    size_t nTyped = 0;
    size_t nLost = 0;
    size_t nWrong = 0;
    size_t nStalls = 0;
    size_t nCharacters = 0;
    int nStalledInARow = 0;
    size_t nNextProgress = SOAK_PROGRESS_EVERY;
    double dStart = NowMs();
    while (nFed < (size_t)nScans && nStalledInARow < SOAK_STALLS_TO_GIVE_UP) {
        Burst burst = MakeBurst(random, (size_t)nScans - nFed);
        if (TRUE != fKeepText) {
            target.Clear();
        }
        size_t cchBefore = (size_t)GetWindowTextLengthW(target.GetEdit());
        if (GetFocus() != target.GetEdit() && TRUE != target.Focus()) {
            fprintf(stderr, "the EDIT control lost the focus\n");
            return 1;
        }
        if (TRUE != source.Send(burst.strLines)) {
            fprintf(stderr, "the burst cannot be sent\n");
            return 1;
        }
        nFed += burst.labels.size();
        nCharacters += burst.cchText;
        size_t nChars = 0;
        BOOL fWhole = WaitForBurst(target, cchBefore + burst.cchText, &nChars);
        std::wstring strText = target.GetText();
        BurstCount count =
            CountBurst(burst.labels, strText.substr(std::min(cchBefore, strText.size())));
        nTyped += count.nTyped;
        nLost += count.nLost;
        nWrong += count.nWrong;
        if (TRUE != fWhole) {
            nStalls++;
            nStalledInARow++;
            printf("burst of %llu ending at scan %llu stalled after %.0f s: %llu of it typed, %llu "
                   "lost, %llu lines wrong\n",
                   (unsigned long long)burst.labels.size(), (unsigned long long)nFed, (NowMs() - dStart) / 1000.0,
                   (unsigned long long)count.nTyped, (unsigned long long)count.nLost,
                   (unsigned long long)count.nWrong);
            // Enter reaches the control as one character, CR.
            printf("  stall: %llu characters of the burst's %llu reached the EDIT control as "
                   "WM_CHAR\n",
                   (unsigned long long)nChars,
                   (unsigned long long)(burst.cchText - burst.labels.size()));
            PrintStall(target, source, nFed);
        } else {
            nStalledInARow = 0;
        }
        if (nFed >= nNextProgress) {
            printf("  %llu scans fed in %.0f s: %llu typed, %llu lost, %llu lines wrong\n",
                   (unsigned long long)nFed, (NowMs() - dStart) / 1000.0,
                   (unsigned long long)nTyped, (unsigned long long)nLost,
                   (unsigned long long)nWrong);
            nNextProgress += SOAK_PROGRESS_EVERY;
        }
    }
    double dSeconds = (NowMs() - dStart) / 1000.0;
    BOOL fClosed = source.Finish();
    size_t nNotFed = (size_t)nScans - nFed;
    printf("soak result: %d scans, %llu fed, %llu typed exactly, %llu lost, %llu lines wrong, "
           "%llu not fed (typing had stopped), %llu stalls\n",
           nScans, (unsigned long long)nFed, (unsigned long long)nTyped,
           (unsigned long long)nLost, (unsigned long long)nWrong, (unsigned long long)nNotFed,
           (unsigned long long)nStalls);
    printf("  %.0f s, %.2f scans/s, %llu characters (with CR LF) in the EDIT control%s\n",
           dSeconds, (double)nFed / dSeconds, (unsigned long long)nCharacters,
           NULL == pModule ? "" : (TRUE == fClosed ? "; host and module ended with 0"
                                                   : "; host and module did not both end with 0"));
    return (0 == nLost && 0 == nWrong && 0 == nNotFed && TRUE == fClosed) ? 0 : 1;
}

int SendTypedLines(const WCHAR* pszFile, DWORD nDelay)
{
    std::string strLines;
    if (TRUE != ReadWholeFile(pszFile, &strLines)) {
        return 1;
    }
    INPUT record;
    ZeroMemory(&record, sizeof(record));
    record.type = INPUT_KEYBOARD;
    UINT nSent = 0;
    UINT nRecords = 0;
    timeBeginPeriod(1);
    for (char ch : strLines) {
        if ('\n' == ch) {
            // Enter as a key, each event followed by the pause.
            record.ki.wVk = VK_RETURN;
            record.ki.wScan = 0x1C;
            for (DWORD dwFlags : { (DWORD)0, (DWORD)KEYEVENTF_KEYUP }) {
                record.ki.dwFlags = dwFlags;
                nSent += SendInput(1, &record, sizeof(INPUT));
                nRecords++;
                Sleep(nDelay);
            }
            continue;
        }
        // A character as a Unicode key-down and key-up, then the pause.
        record.ki.wVk = 0;
        record.ki.wScan = (WORD)(unsigned char)ch;
        for (DWORD dwFlags : { (DWORD)KEYEVENTF_UNICODE, (DWORD)(KEYEVENTF_UNICODE | KEYEVENTF_KEYUP) }) {
            record.ki.dwFlags = dwFlags;
            nSent += SendInput(1, &record, sizeof(INPUT));
            nRecords++;
        }
        Sleep(nDelay);
    }
    timeEndPeriod(1);
    return nSent == nRecords ? 0 : 1;
}
