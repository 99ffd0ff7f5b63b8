// The Falcon terminals' decoder library DECODER: the values it and its caller
// agree on, and the calls the Falcon back-end makes, declared from what the
// back-end passes and relies on. The values need no <windows.h>, so that
// platform-free code can use them; the calls are declared for Windows only.
// The library is imported by name.
#pragma once

// The number of device words DcdEnumDevices fills: word i describes the
// device "DCD<i + 1>:".
#define DCD_MAX_DEVICES 9
// A device is present when its word has one of these bits.
#define DCD_DEVICE_PRESENT_BITS 0x00000003

// The two scan triggers, and the trigger type that switches one off.
#define DCD_TRIGGER_1 0x00010000
#define DCD_TRIGGER_2 0x00020000
#define DCD_TRIGGER_OFF 0

// The read request left with the library: read a label as text, and post a
// message to a window each time one is ready.
#define DCD_REQUEST_READ_STRING 0x00000101

#ifdef _WIN32
#include <windows.h>

extern "C" {

// Non-zero on success; fills DCD_MAX_DEVICES words.
BOOL WINAPI DcdEnumDevices(DWORD* pdwDevices);
// The trigger's current type.
DWORD WINAPI DcdGetTriggerType(DWORD dwTrigger);
BOOL WINAPI DcdSetTriggerType(DWORD dwTrigger, DWORD dwType);
// Leaves a request with the device; returns its identifier. For
// DCD_REQUEST_READ_STRING the library posts uMsg to hWnd whenever a label is
// ready, until the request is cancelled.
DWORD WINAPI DcdPostRequestMsg(HANDLE hDcd, DWORD dwRequestType, HWND hWnd, UINT uMsg);
// Stores the label that is ready as NUL-terminated UTF-16 text in pszBuffer
// (cchBuffer units) and its length in *pcchLength. Non-zero when a label was stored.
BOOL WINAPI DcdReadString(HANDLE hDcd, DWORD dwRequest, WCHAR* pszBuffer, DWORD cchBuffer,
                          DWORD* pcchLength);
// Discards what the device has read and not yet handed out.
BOOL WINAPI DcdFlushData(HANDLE hDcd);
BOOL WINAPI DcdCancelRequest(HANDLE hDcd, DWORD dwRequest);

}  // extern "C"
#endif
