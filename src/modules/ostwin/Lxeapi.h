// The calls of the LXE terminals' library LXEAPI that the LXE back-end makes,
// declared from what the back-end passes and relies on. The stand-in DLL of
// the same name exports exactly these.
#pragma once

#include <windows.h>

#ifdef TVX_LXEAPI_EXPORTS
#define LXEAPI_API extern "C" __declspec(dllexport)
#else
#define LXEAPI_API extern "C" __declspec(dllimport)
#endif

// The message the library posts to the window given to OstwinSetWindow each
// time scanned data is ready (0x602).
#define LXE_DATA_MESSAGE 1538
// The key status at which the back-end switches the scanner keys off.
#define LXE_KEY_STATUS_ON 1

// Non-zero when the terminal has an internal scanner.
LXEAPI_API BOOL WINAPI LXEHasIntScanner(void);
LXEAPI_API int WINAPI OstwinKeyStatus(void);
LXEAPI_API BOOL WINAPI OstwinKeysOff(void);
// The window that receives LXE_DATA_MESSAGE.
LXEAPI_API BOOL WINAPI OstwinSetWindow(HWND hWnd);
LXEAPI_API BOOL WINAPI OstwinInputEnable(void);
LXEAPI_API BOOL WINAPI OstwinInputDisable(void);
// Copies the scanned data, 8-bit text, into pBuffer: *plLength bytes at most
// on entry, the number of bytes stored on return. Zero on failure.
LXEAPI_API BOOL WINAPI OstwinGetData(char* pBuffer, LONG* plLength);
