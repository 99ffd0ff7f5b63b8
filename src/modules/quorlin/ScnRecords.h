// The records that the Symbol scanner library (SCNAPI32) exchanges with its
// caller, and its decoder codes. Declared from what the back-end needs:
// little-endian 32-bit words, offsets in bytes. Free of <windows.h> so that
// the layouts can be checked and filled by platform-free code.
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
