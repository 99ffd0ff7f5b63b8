// String helpers shared by the host and the input modules.
#pragma once

#include <initializer_list>
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

// Fills a message format: each %s of pszFormat, in order, becomes the next of
// the texts (common/MessageTexts.h); everything else is copied as it is. Done
// by hand, so that the wide-format rules of the two C libraries do not
// matter. A text that is null, or a count of texts other than the count of
// %s, is a fatal assertion.
std::wstring FormatText(const WCHAR* pszFormat, std::initializer_list<const WCHAR*> texts);

// Equal texts but for the case of the ASCII letters.
BOOL EqualsNoCase(const WCHAR* pszA, const WCHAR* pszB);

// A name a setting may hold and the value it stands for.
template <class TValue>
struct NamedValue
{
    const WCHAR* pszName;
    TValue value;
};

// The first entry whose name is pszName in any case (EqualsNoCase); null
// when there is none or pszName is null.
template <class TValue, size_t cEntries>
const NamedValue<TValue>* FindNamedEntry(const NamedValue<TValue> (&rgEntries)[cEntries],
                                         const WCHAR* pszName)
{
    for (const NamedValue<TValue>& entry : rgEntries) {
        if (NULL != pszName && TRUE == EqualsNoCase(pszName, entry.pszName)) {
            return &entry;
        }
    }
    return NULL;
}

// The value of that entry; valueIfNone when there is none.
template <class TValue, size_t cEntries>
TValue FindNamedValue(const NamedValue<TValue> (&rgEntries)[cEntries], const WCHAR* pszName,
                      TValue valueIfNone)
{
    const NamedValue<TValue>* pEntry = FindNamedEntry(rgEntries, pszName);
    return (NULL != pEntry) ? pEntry->value : valueIfNone;
}

// The value of a hexadecimal digit (either case), or -1 for any other character.
int HexDigitValue(unsigned nChar);

// Cuts a path in place at its last backslash; a path without one is unchanged.
void RemoveFileName(WCHAR* pszPath);

// Unsigned decimal as settings hold it: leading blanks skipped, conversion stops
// at the first non-digit, no digits gives 0. Saturates at the largest value.
uint64_t ParseUnsignedSetting(const WCHAR* pszValue);
// Switch as settings hold it: "TRUE" in any case is on, anything else (or null) off.
BOOL IsSettingTrue(const WCHAR* pszValue);
