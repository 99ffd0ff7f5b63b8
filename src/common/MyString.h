// String helpers shared by the host and the input modules.
#pragma once

#include <string>

#include "common/Types.h"

// Allocates a copy of pszSource and stores it in *ppszTarget (an earlier
// pointer there is not freed). Release it with FreeString.
void CopyString(WCHAR** ppszTarget, const WCHAR* pszSource);
// Frees *ppszString if it is not null and sets it to null.
void FreeString(WCHAR** ppszString);

// Replaces trailing carriage returns and line feeds by the terminator.
void StripLineEnd(char* pszText);
// Removes leading and trailing blanks and tabs, nothing else.
void TrimBlanks(std::wstring& strText);

// Cuts the first token up to an unquoted chSeparator off the front of strSource
// and returns it. Double quotes group text; two in a row inside quotes stand for one.
std::wstring ExtractToken(std::wstring& strSource, WCHAR chSeparator);

// The same quote rules over 8-bit text into a buffer of cbOutput bytes. Returns
// where the next token starts, or null when the text is exhausted.
const char* ExtractTokenA(const char* pszText, char chSeparator, char* pszOutput, size_t cbOutput);

// Cuts a path in place at its last backslash; a path without one is unchanged.
void RemoveFileName(WCHAR* pszPath);

// Unsigned decimal as settings hold it: leading blanks skipped, conversion stops
// at the first non-digit, no digits gives 0. Saturates at the largest value.
uint64_t ParseUnsignedSetting(const WCHAR* pszValue);
// Switch as settings hold it: "TRUE" in any case is on, anything else (or null) off.
BOOL IsSettingTrue(const WCHAR* pszValue);
// Whether two texts are the same when the ASCII letters are compared without
// regard to case, as settings words are compared.
BOOL SameTextNoCase(const WCHAR* pszText, const WCHAR* pszName);
