// Basic Win32-style types for code that must also build without <windows.h>.
// On Windows the typedefs repeat the SDK's exactly, so both headers may meet.
#pragma once

#include <stddef.h>
#include <stdint.h>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef wchar_t WCHAR;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef unsigned int UINT;
#ifdef _WIN32
typedef unsigned long DWORD;
#else
typedef uint32_t DWORD;
#endif

// A UTF-16 code unit as it travels between processes; WCHAR is 4 bytes natively.
typedef uint16_t UTF16UNIT;

// Fixed path buffers, in characters with the terminator.
#define TVX_MAX_PATH 260
