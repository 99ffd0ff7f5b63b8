// The few platform services that pure logic needs: 8-bit text in the ANSI
// code page, UTF-8, and opening a file by wide path.
#pragma once

#include <stdio.h>

#include <string>

#include "common/Types.h"

// Widens 8-bit text with the ANSI code page (natively: Latin-1).
std::wstring WidenAnsi(const char* pszText);
// Narrows wide text to the ANSI code page (natively: Latin-1); characters the
// code page lacks become chReplacement.
std::string NarrowAnsi(const WCHAR* pszText, char chReplacement);
// Wide text as UTF-8 (natively: from UTF-32).
std::string NarrowUtf8(const WCHAR* pszText);
// fopen with a wide path.
FILE* OpenFileWide(const WCHAR* pszPath, const WCHAR* pszMode);
