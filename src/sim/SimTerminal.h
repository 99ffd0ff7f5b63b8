// The machinery that every stand-in vendor library shares: it plays the
// terminal behind the library. Labels come from a feed file, the terminal's
// state from a conditions file, and every call into the stand-in is written
// to a call log, all three named by environment variables that the test, the
// demo or a person sets before the host starts (the module inherits them):
//
//   TOLVEX_SIM_FEED        labels, one per line (SimFeed.h); read from the
//                          start, and lines appended later arrive in order
//   TOLVEX_SIM_CONDITIONS  name=value lines (SimConditions.h); read afresh at
//                          every query, so a change counts from the next call
//   TOLVEX_SIM_LOG         the call log; lines are appended, never truncated
//
// A variable that is not set means: no labels, no conditions, no log.
//
// Call log lines, one per call, for tests to parse:
//     Name key=value key=value ... result=value
// a call name, then its arguments as key=value words; texts in double quotes
// (SimLogText.h: QuoteWide, QuoteBytes), so that a value never holds a blank
// outside its quotes. Lines of the simulated terminal's
// own doings start with *, for example
//     *feed line=3 label="0123" type=W      a label taken from the feed
//     *feed-error line=4 reason="..."      a line that could not be read
//     *post hwnd=0x1a0042 msg=1025          a notification posted
//
// One copy of this state exists per stand-in DLL (the library is static).
// Every exported call of a stand-in takes the lock (SimGuard) for its whole
// body; the watcher thread takes it for each round.
#pragma once

#include <windows.h>

#include <string>

#include "sim/SimConditions.h"
#include "sim/SimFeed.h"
#include "sim/SimLogText.h"

#define SIM_FEED_VARIABLE L"TOLVEX_SIM_FEED"
#define SIM_CONDITIONS_VARIABLE L"TOLVEX_SIM_CONDITIONS"
#define SIM_LOG_VARIABLE L"TOLVEX_SIM_LOG"

// How often the watcher thread looks at the feed, in milliseconds.
#define SIM_WATCH_PERIOD 20

// Holds the stand-in's lock (recursive) for its lifetime.
class SimGuard
{
public:
    SimGuard();
    ~SimGuard();
    SimGuard(const SimGuard&) = delete;
    SimGuard& operator=(const SimGuard&) = delete;
};

// Appends one line to the call log; printf format, the line end is added.
void SimLog(const char* pszFormat, ...) __attribute__((format(__MINGW_PRINTF_FORMAT, 1, 2)));

// The current conditions (the file read now).
SimConditions SimGetConditions();
// Whether this call of pszCall is refused (refuse=...); counts the calls of
// each name, so call it exactly once per call of pszCall.
BOOL SimRefuses(const char* pszCall);

// A call that does nothing but succeed (TRUE) unless the conditions refuse
// it, logged as "<pszCall> result=<1|0>"; the whole body of such a call.
BOOL SimPlainCall(const char* pszCall);

// Reads the lines appended to the feed since the last look into the queue of
// fed labels, logging each (*feed) or its error (*feed-error).
void SimPollFeed();
// Takes the oldest fed label off the queue; FALSE when there is none.
BOOL SimTakeLabel(SimLabel* pLabel);
// The number of fed labels waiting in the queue.
size_t SimPendingLabels();

// Starts a thread that, every SIM_WATCH_PERIOD ms, polls the feed and then
// calls pfnPump with the lock held (on that thread), so that the stand-in can
// complete a read or post its notification message as the terminal would.
// Does nothing when the watcher runs already.
void SimStartWatcher(void (*pfnPump)());
// Ends the watcher thread (waits at most a second for it). May be called
// with the lock held and when no watcher runs.
void SimStopWatcher();

// Posts uMsg to hWnd as the terminal's notification and logs it (*post).
BOOL SimPostMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

// A label's text as wide text.
std::wstring SimWideText(const SimLabel& label);
// A label's text as 8-bit codes, for libraries that hand out 8-bit text: a
// unit up to 0xFF is that byte, any other is chReplacement.
std::string SimNarrowText(const SimLabel& label, char chReplacement);
