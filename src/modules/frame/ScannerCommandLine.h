// The module's argument: the host window's handle as eight hexadecimal digits.
#pragma once

#include "common/EventNames.h"
#include "common/Types.h"

// TRUE when pszCommandLine is exactly eight hexadecimal digits (either case)
// that are not all zero: eight zeros would name no window. FatalAssert
// "NULL != pszCommandLine".
BOOL isValidCommandLine(const WCHAR* pszCommandLine);

// The value of a command line that isValidCommandLine accepted.
DWORD ReadReceiverValue(const WCHAR* pszCommandLine);

// The window handle's value for those 32 bits, widened the way Windows widens
// a 32-bit handle: by sign extension, so that a handle with its top bit set
// names the same window.
intptr_t WidenReceiverValue(DWORD dwValue);
