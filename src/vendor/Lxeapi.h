// The calls of the LXE terminals' library LXEAPI that the LXE back-end makes,
// declared from what the back-end passes and relies on.
#pragma once

#include <windows.h>

// The message the library posts to the window given to OstwinSetWindow each
// time scanned data is ready (0x602).
#define LXE_DATA_MESSAGE 1538
// The key status at which the back-end switches the scanner keys off.
#define LXE_KEY_STATUS_ON 1

extern "C" {

// Non-zero when the terminal has an internal scanner.
BOOL WINAPI LXEHasIntScanner(void);
int WINAPI OstwinKeyStatus(void);
BOOL WINAPI OstwinKeysOff(void);
// The window that receives LXE_DATA_MESSAGE.
BOOL WINAPI OstwinSetWindow(HWND hWnd);
BOOL WINAPI OstwinInputEnable(void);
BOOL WINAPI OstwinInputDisable(void);
// Copies the scanned data, 8-bit text, into pBuffer: *plLength bytes at most
// on entry, the number of bytes stored on return. Zero on failure.
BOOL WINAPI OstwinGetData(char* pBuffer, LONG* plLength);

}  // extern "C"
