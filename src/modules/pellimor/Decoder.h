// The calls of the Falcon terminals' decoder library DECODER that the Falcon
// back-end makes, declared from what the back-end passes and relies on. The
// library is imported by name; the stand-in DLL of the same name exports
// exactly these.
#pragma once

#include <windows.h>

#include "modules/pellimor/DecoderValues.h"

#ifdef TVX_DECODER_EXPORTS
#define DECODER_API extern "C" __declspec(dllexport)
#else
#define DECODER_API extern "C" __declspec(dllimport)
#endif

// Non-zero on success; fills DCD_MAX_DEVICES words.
DECODER_API BOOL WINAPI DcdEnumDevices(DWORD* pdwDevices);
// The trigger's current type.
DECODER_API DWORD WINAPI DcdGetTriggerType(DWORD dwTrigger);
DECODER_API BOOL WINAPI DcdSetTriggerType(DWORD dwTrigger, DWORD dwType);
// Leaves a request with the device; returns its identifier. For
// DCD_REQUEST_READ_STRING the library posts uMsg to hWnd whenever a label is
// ready, until the request is cancelled.
DECODER_API DWORD WINAPI DcdPostRequestMsg(HANDLE hDcd, DWORD dwRequestType, HWND hWnd, UINT uMsg);
// Stores the label that is ready as NUL-terminated UTF-16 text in pszBuffer
// (cchBuffer units) and its length in *pcchLength. Non-zero when a label was stored.
DECODER_API BOOL WINAPI DcdReadString(HANDLE hDcd, DWORD dwRequest, WCHAR* pszBuffer,
                                      DWORD cchBuffer, DWORD* pcchLength);
// Discards what the device has read and not yet handed out.
DECODER_API BOOL WINAPI DcdFlushData(HANDLE hDcd);
DECODER_API BOOL WINAPI DcdCancelRequest(HANDLE hDcd, DWORD dwRequest);
