// The text form of scans on the command line, standard input and output:
// printable ASCII as it is, everything else as an escape, so that a GS is
// written \x1d and a line holds exactly one scan.
#pragma once

#include <string>
#include <vector>

#include "common/Types.h"

// Decodes UTF-8 into UTF-16 units; a byte that does not begin a valid
// sequence stands for the character of the same value (Latin-1).
std::vector<UTF16UNIT> DecodeUtf8(const std::string& strBytes);

// Resolves the escapes \xNN (two hexadecimal digits, the character U+00NN),
// \t, \r, \n and \\ in place of the units they stand for. FALSE with the
// reason in *pstrError for an unknown escape, a \x without two hexadecimal
// digits, or a backslash at the end.
BOOL Unescape(const std::vector<UTF16UNIT>& rgInput, std::vector<UTF16UNIT>* prgOutput,
              std::string* pstrError);

// Writes 8-bit text for output: bytes 0x20 to 0x7E as they are except the
// backslash, which is doubled; every other byte as \xNN (lower-case digits).
std::string EscapeText(const char* pszText);
// The same for cbText bytes that may hold NULs (written \x00).
std::string EscapeBytes(const char* pbText, size_t cbText);

// A JSON string literal (with its quotes) of 8-bit text; bytes outside
// 0x20 to 0x7E are written \u00NN.
std::string JsonString(const char* pszText);
