// Filling and reading the Symbol library's records: the platform-free half
// of the Symbol back-end.
#pragma once

#include <string.h>

#include "common/Types.h"
#include "vendor/ScnApi.h"

// Prepares a record for a "get" call: zeroed, allocated = its full size,
// used = the head alone.
template <class TRecord>
void InitScnRecord(TRecord* pRecord)
{
    memset(pRecord, 0, sizeof(TRecord));
    pRecord->dwAllocated = (DWORD)sizeof(TRecord);
    pRecord->dwUsed = SCN_HEAD_SIZE;
}

// An argument of the scan parameters that leaves the device's value alone.
#define SCN_KEEP_VALUE ((DWORD)-1)

// Writes the scan parameters that are not SCN_KEEP_VALUE into a block the
// library has filled, each only where the allocated size covers it, and
// raises the used size to cover each one written. The path (NULL: none) is
// copied up to its field's last unit, which is always the terminator. The
// code-identifier type is left as the device has it.
void ApplyScanParams(SCN_SCAN_PARAMS* pParams, DWORD dwScanType, BOOL bFeedback,
                     DWORD dwValue1, DWORD dwValue2, DWORD dwValue3, const WCHAR* pszPath);

enum DecoderListChange
{
    DECODER_ALREADY_LISTED,
    DECODER_ADDED,
    DECODER_LIST_FULL,
};

// Adds bDecoder to a list the library has filled, unless it is among the
// listed codes already; raises the used size to cover the new code. A list
// that holds SCN_MAX_DECODERS codes (or claims more) is left unchanged.
DecoderListChange AddDecoderToList(SCN_DECODER_LIST* pList, BYTE bDecoder);

// Writes one 32-bit word of a decoder's parameters at its byte offset
// (a multiple of 4 from 8 to 96).
void SetDecoderWord(SCN_DECODER_PARAMS* pParams, size_t nOffset, DWORD dwValue);

// The byte offset of the label text in a completed scan buffer: the head's
// offset word when the head is long enough to hold it, else the default.
DWORD GetScanLabelOffset(const void* pScanBuffer);

// Copies the label text of a completed scan buffer into pszTarget (cchTarget
// units with the terminator, at least 1): a longer label is cut to fit, and
// nothing is read beyond the allocated size the buffer's head states.
void CopyScanLabel(const void* pScanBuffer, WCHAR* pszTarget, size_t cchTarget);
