// The Symbol scanner library SCNAPI32: the records it exchanges with its
// caller, its decoder codes and the calls the Symbol back-end makes.
// Declared from what the back-end needs: little-endian 32-bit words, offsets
// in bytes. The records need no <windows.h>, so that platform-free code can
// check and fill them; the calls are declared for Windows only.
#pragma once

#include <stddef.h>

#include "common/Types.h"

// The status of every successful library call.
#define E_SCN_SUCCESS 0

// Arguments of the scan parameters; both are the library's value 0.
#define CODE_ID_TYPE_NONE 0
#define SCAN_TYPE_FOREGROUND 0

// A decoder code: one byte, passed as a pointer to a one-character string.
typedef const BYTE* LPDECODER;

#define DECODER_UPCE0 ((LPDECODER)"0")
#define DECODER_UPCA ((LPDECODER)"2")
#define DECODER_EAN8 ((LPDECODER)"4")
#define DECODER_EAN13 ((LPDECODER)"5")
#define DECODER_CODABAR ((LPDECODER)"6")
#define DECODER_CODE39 ((LPDECODER)"7")
#define DECODER_D2OF5 ((LPDECODER)"8")
#define DECODER_I2OF5 ((LPDECODER)"9")
#define DECODER_CODE128 ((LPDECODER)"<")

// Every record starts with its allocated size (the whole record) and the
// number of bytes in use. Before a "get" call the caller zeroes the record,
// sets the allocated size and uses 8 (the head alone).
#define SCN_HEAD_SIZE 8

// The enabled decoders of a device.
#define SCN_MAX_DECODERS 128
struct SCN_DECODER_LIST
{
    DWORD dwAllocated;
    DWORD dwUsed;
    DWORD dwCount;
    BYTE rgbDecoders[SCN_MAX_DECODERS];
};
static_assert(140 == sizeof(SCN_DECODER_LIST), "decoder list is 140 bytes");
static_assert(8 == offsetof(SCN_DECODER_LIST, dwCount), "count at 8");
static_assert(12 == offsetof(SCN_DECODER_LIST, rgbDecoders), "codes at 12");

// One decoder's parameters: the head, then 32-bit words whose meaning
// depends on the decoder; rgdwWords[0] is the word at offset 8.
#define SCN_DECODER_PARAMS_SIZE 100
#define SCN_DECODER_PARAMS_WORDS ((SCN_DECODER_PARAMS_SIZE - SCN_HEAD_SIZE) / 4)
struct SCN_DECODER_PARAMS
{
    DWORD dwAllocated;
    DWORD dwUsed;
    DWORD rgdwWords[SCN_DECODER_PARAMS_WORDS];
};
static_assert(SCN_DECODER_PARAMS_SIZE == sizeof(SCN_DECODER_PARAMS), "parameter block is 100 bytes");
static_assert(SCN_HEAD_SIZE == offsetof(SCN_DECODER_PARAMS, rgdwWords), "words from 8");

// The scan parameters of a device. Only the fields named here are touched;
// the rest of the 3212 bytes belongs to the library.
#define SCN_SOUND_FILE_LENGTH 260
struct SCN_SCAN_PARAMS
{
    DWORD dwAllocated;
    DWORD dwUsed;
    DWORD dwCodeIdType;
    DWORD dwScanType;
    BOOL bFeedback;
    DWORD dwGoodReadTime;
    DWORD dwGoodReadPitch;
    DWORD dwGoodReadLight;
    UTF16UNIT szSoundFile[SCN_SOUND_FILE_LENGTH];
    BYTE rgbReserved[2660];
};
static_assert(3212 == sizeof(SCN_SCAN_PARAMS), "scan parameters are 3212 bytes");
static_assert(12 == offsetof(SCN_SCAN_PARAMS, dwScanType), "scan type at 12");
static_assert(16 == offsetof(SCN_SCAN_PARAMS, bFeedback), "BOOL at 16");
static_assert(20 == offsetof(SCN_SCAN_PARAMS, dwGoodReadTime), "first value at 20");
static_assert(24 == offsetof(SCN_SCAN_PARAMS, dwGoodReadPitch), "second value at 24");
static_assert(28 == offsetof(SCN_SCAN_PARAMS, dwGoodReadLight), "third value at 28");
static_assert(32 == offsetof(SCN_SCAN_PARAMS, szSoundFile), "path at 32");
static_assert(552 == offsetof(SCN_SCAN_PARAMS, rgbReserved), "path ends at 552");

// The head of a scan buffer, allocated and freed by the library. The caller
// reads the bytes in use and the offset of the label text (UTF-16,
// NUL-terminated); a head of fewer than 16 used bytes has no offset, and
// the text then starts at SCN_DEFAULT_LABEL_OFFSET.
struct SCN_BUFFER_HEAD
{
    DWORD dwAllocated;
    DWORD dwUsed;
    DWORD dwStatus;
    DWORD dwDataOffset;
};
static_assert(16 == sizeof(SCN_BUFFER_HEAD), "the four head words");
#define SCN_DEFAULT_LABEL_OFFSET 148

#ifdef _WIN32
#include <windows.h>

// The library exports its calls by ordinal only: the names here are ours and
// travel in no binary. Every call that returns a status returns
// E_SCN_SUCCESS on success.
extern "C" {

// Ordinal 10: opens the scanner device called pszDevice ("SCN1:").
DWORD WINAPI SCAN_OpenDevice(LPCWSTR pszDevice, HANDLE* phScanner);
// Ordinal 11: closes it.
DWORD WINAPI SCAN_CloseDevice(HANDLE hScanner);
// Ordinal 12: makes an opened scanner ready for use.
DWORD WINAPI SCAN_ReadyDevice(HANDLE hScanner);

// Ordinal 2: a scan buffer for labels of up to dwSize - 1 characters
// (bText TRUE: the label as text); NULL when none can be made.
void* WINAPI SCAN_AllocBuffer(BOOL bText, DWORD dwSize);
// Ordinal 4: frees a scan buffer; a read still outstanding on it is dropped.
DWORD WINAPI SCAN_FreeBuffer(void* pScanBuffer);

// Ordinal 16: submits an asynchronous read into pScanBuffer. When a label has
// been read the library signals hEvent; dwTimeout 0 waits for ever.
DWORD WINAPI SCAN_SubmitRead(HANDLE hScanner, void* pScanBuffer, HANDLE hEvent, DWORD dwTimeout,
                             DWORD* pdwRequestId);

// Ordinals 24 and 25: the device's list of enabled decoders.
DWORD WINAPI SCAN_GetDecoderList(HANDLE hScanner, SCN_DECODER_LIST* pList);
DWORD WINAPI SCAN_SetDecoderList(HANDLE hScanner, SCN_DECODER_LIST* pList);

// Ordinals 26 and 27: the parameters of one decoder.
DWORD WINAPI SCAN_GetDecoderParams(HANDLE hScanner, LPDECODER pDecoder, SCN_DECODER_PARAMS* pParams);
DWORD WINAPI SCAN_SetDecoderParams(HANDLE hScanner, LPDECODER pDecoder, SCN_DECODER_PARAMS* pParams);

// Ordinals 35 and 37: the device's scan parameters.
DWORD WINAPI SCAN_GetScanParams(HANDLE hScanner, SCN_SCAN_PARAMS* pParams);
DWORD WINAPI SCAN_SetScanParams(HANDLE hScanner, SCN_SCAN_PARAMS* pParams);

}  // extern "C"
#endif
