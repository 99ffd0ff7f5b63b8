// How the call log writes a text value: in double quotes, printable ASCII as
// it is, the backslash doubled, every other unit and the double quote as an
// escape (\xNN up to 0xFF, \uXXXX above), so that a value never holds a blank
// or a line end outside its quotes. These are the escapes of the feed, with
// \uXXXX added for units the feed's 8-bit escapes cannot name.
#pragma once

#include <string>

#include "common/Types.h"

// 8-bit text, cchText bytes.
std::string QuoteBytes(const char* pszText, size_t cchText);
// UTF-16 text, cUnits units.
std::string QuoteUnits(const UTF16UNIT* pText, size_t cUnits);
// Wide text up to its terminator; NULL is written null (without quotes).
std::string QuoteWide(const WCHAR* pszText);
