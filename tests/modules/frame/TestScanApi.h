// The calls of TESTSCAN.dll, the stand-in library behind the test module's
// back-end: a terminal that either posts a notification message for each
// label (like the Falcon and LXE libraries) or is polled (like the BHT one).
#pragma once

#include <windows.h>

extern "C" {

// Opens the terminal for hWnd. With a non-zero uMessage, each fed label is
// announced by posting uMessage to hWnd and then waits for TestScanRead;
// with 0, TestScanRead takes labels straight from the feed.
BOOL WINAPI TestScanOpen(HWND hWnd, UINT uMessage);
// The symbology set-up of libraries that have one.
BOOL WINAPI TestScanEnableAll(void);
BOOL WINAPI TestScanStart(void);
// Copies the next label (cut to cchBuffer - 1 units) with its terminator;
// its length, or -1 when there is none.
int WINAPI TestScanRead(WCHAR* pszBuffer, int cchBuffer);
BOOL WINAPI TestScanStop(void);
void WINAPI TestScanClose(void);
// Records a step of the module that the library does not see otherwise.
void WINAPI TestScanNote(const char* pszStep);

}  // extern "C"
