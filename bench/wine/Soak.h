// The long run: nScans labels of 5 to 48 characters, fed to the module's
// simulated terminal in bursts of 1 to 100, typed by the host with a script
// that returns each scan followed by Enter into a focused multi-line EDIT
// control of this process. After every burst the burst's text in the control
// is compared with its labels, and the control is emptied (with fKeepText it
// is not: it then fills up to its text limit, 30,000 characters by default,
// and takes nothing more). A burst whose text stops coming is a stall,
// reported with what can be seen from here (foreground, focus, keys down,
// host and module alive). Ends with the count of scans typed exactly, lost
// and typed wrong; exit code 0 only when every scan was typed exactly.
#pragma once

#include "BenchRig.h"

// pModule NULL: without Tolvex, this program sends the same key events itself
// (SendTypedLines in a process of its own, once per burst).
int RunSoak(const BenchModule* pModule, int nScans, DWORD nDelay, unsigned int nSeed,
            BOOL fKeepText);

// "bench_wine type FILE DELAY": sends every line of the file as the host types
// a scan followed by Enter in Unicode mode (each character a Unicode key-down
// and key-up, Enter the key VK_RETURN), with the pause of DELAY ms after each
// as "InterKeyDelay", and nothing of Tolvex. 0 when every event was taken.
int SendTypedLines(const WCHAR* pszFile, DWORD nDelay);
