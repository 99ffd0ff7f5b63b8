// The calls of the Symbol scanner library SCNAPI32 that the Symbol back-end
// makes. The library exports them by ordinal only (SCNAPI32.def beside the
// stand-in); the names here are ours and travel in no binary. Every call that
// returns a status returns E_SCN_SUCCESS (0) on success.
#pragma once

#include <windows.h>

#include "modules/quorlin/ScnRecords.h"

#ifdef SCNAPI32_BUILD
// The library's .def file alone exports them, by ordinal.
#define SCNAPI extern "C"
#else
#define SCNAPI extern "C" __declspec(dllimport)
#endif

// Ordinal 10: opens the scanner device called pszDevice ("SCN1:").
SCNAPI DWORD WINAPI SCAN_OpenDevice(LPCWSTR pszDevice, HANDLE* phScanner);
// Ordinal 11: closes it.
SCNAPI DWORD WINAPI SCAN_CloseDevice(HANDLE hScanner);
// Ordinal 12: makes an opened scanner ready for use.
SCNAPI DWORD WINAPI SCAN_ReadyDevice(HANDLE hScanner);

// Ordinal 2: a scan buffer for labels of up to dwSize - 1 characters
// (bText TRUE: the label as text); NULL when none can be made.
SCNAPI void* WINAPI SCAN_AllocBuffer(BOOL bText, DWORD dwSize);
// Ordinal 4: frees a scan buffer; a read still outstanding on it is dropped.
SCNAPI DWORD WINAPI SCAN_FreeBuffer(void* pScanBuffer);

// Ordinal 16: submits an asynchronous read into pScanBuffer. When a label has
// been read the library signals hEvent; dwTimeout 0 waits for ever.
SCNAPI DWORD WINAPI SCAN_SubmitRead(HANDLE hScanner, void* pScanBuffer, HANDLE hEvent,
                                    DWORD dwTimeout, DWORD* pdwRequestId);

// Ordinals 24 and 25: the device's list of enabled decoders.
SCNAPI DWORD WINAPI SCAN_GetDecoderList(HANDLE hScanner, SCN_DECODER_LIST* pList);
SCNAPI DWORD WINAPI SCAN_SetDecoderList(HANDLE hScanner, SCN_DECODER_LIST* pList);

// Ordinals 26 and 27: the parameters of one decoder.
SCNAPI DWORD WINAPI SCAN_GetDecoderParams(HANDLE hScanner, LPDECODER pDecoder,
                                          SCN_DECODER_PARAMS* pParams);
SCNAPI DWORD WINAPI SCAN_SetDecoderParams(HANDLE hScanner, LPDECODER pDecoder,
                                          SCN_DECODER_PARAMS* pParams);

// Ordinals 35 and 37: the device's scan parameters.
SCNAPI DWORD WINAPI SCAN_GetScanParams(HANDLE hScanner, SCN_SCAN_PARAMS* pParams);
SCNAPI DWORD WINAPI SCAN_SetScanParams(HANDLE hScanner, SCN_SCAN_PARAMS* pParams);
