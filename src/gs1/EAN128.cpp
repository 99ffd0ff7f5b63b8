#include "gs1/EAN128.h"

#include <limits.h>
#include <stdio.h>
#include <string.h>

#include <new>

#include "common/Assert.h"
#include "common/MyString.h"
#include "common/ScanText.h"
#include "gs1/AIDefinitions.h"

// Room for every error text: the longest quotes a field of MAX_FIELDLEN characters.
#define MAX_ERRORLEN (MAX_FIELDLEN + 80)
// A format piece such as "an..20", with its terminator.
#define MAX_FORMATPIECE 20

namespace {

inline bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

inline char LowerAscii(char ch)
{
    return (ch >= 'A' && ch <= 'Z') ? (char)(ch - 'A' + 'a') : ch;
}

// Decimal value of a digit string, saturating instead of overflowing.
int ReadLength(const char* pszDigits)
{
    int nValue = 0;
    for (const char* p = pszDigits; IsDigit(*p); p++) {
        const int nDigit = *p - '0';
        if (nValue > (INT_MAX - nDigit) / 10) {
            return INT_MAX;
        }
        nValue = nValue * 10 + nDigit;
    }
    return nValue;
}

// Characters from pszText up to its end, counting no further than nLimit.
int CountUpTo(const char* pszText, int nLimit)
{
    int n = 0;
    while (n < nLimit && '\0' != pszText[n]) {
        n++;
    }
    return n;
}

} // namespace

BOOL FormatDecimal(const char* pszDigits, int nDecimals, char* pszOutput, size_t cbOutput)
{
    FATAL_ASSERT(NULL != pszDigits);
    FATAL_ASSERT(NULL != pszOutput);
    FATAL_ASSERT(nDecimals >= 0);
    const size_t cchDigits = strlen(pszDigits);
    FATAL_ASSERT(strspn(pszDigits, "0123456789") == cchDigits);

    // The digits before the point, without leading zeros; "0" when none are left.
    const size_t cchFraction = (size_t)nDecimals;
    const size_t cchWhole = cchDigits > cchFraction ? cchDigits - cchFraction : 0;
    size_t iFirst = 0;
    while (iFirst < cchWhole && '0' == pszDigits[iFirst]) {
        iFirst++;
    }
    const size_t cchIntegral = iFirst < cchWhole ? cchWhole - iFirst : 1;
    const size_t cchText = cchIntegral + (cchFraction > 0 ? 1 + cchFraction : 0);
    if (cchText + 1 > cbOutput) {
        return FALSE;
    }

    char* pOut = pszOutput;
    if (iFirst < cchWhole) {
        memcpy(pOut, pszDigits + iFirst, cchIntegral);
        pOut += cchIntegral;
    } else {
        *pOut++ = '0';
    }
    if (cchFraction > 0) {
        *pOut++ = '.';
        // Fewer digits than decimals: zeros fill the places after the point.
        for (size_t i = cchDigits; i < cchFraction; i++) {
            *pOut++ = '0';
        }
        const size_t cchCopied = cchDigits < cchFraction ? cchDigits : cchFraction;
        memcpy(pOut, pszDigits + cchDigits - cchCopied, cchCopied);
        pOut += cchCopied;
    }
    *pOut = '\0';
    return TRUE;
}

EAN128::EAN128()
    : m_fStrict(true), m_nFields(0), m_pszError(NULL)
{
    // Unused slots read as empty texts, never as stale or undefined bytes.
    for (int i = 0; i < MAX_DATAFIELDS; i++) {
        m_szFieldAI[i][0] = '\0';
        m_szFieldData[i][0] = '\0';
    }
}

EAN128::~EAN128()
{
    ClearError();
}

BOOL EAN128::Parse(const char* pszBarcode)
{
    FATAL_ASSERT(NULL != pszBarcode);
    m_nFields = 0;

    char szError[MAX_ERRORLEN];
    const char* p = pszBarcode;
    while ('\0' != *p) {
        const int nRow = FindAI(p);
        if (-1 == nRow) {
            snprintf(szError, sizeof(szError), "Invalid AI identifier (%.5s...)", p);
            SetError(szError);
            return FALSE;
        }
        const AIDefinition& definition = gAIDefinitions[nRow];
        const char* pszFormatScan = definition.pszFormat;
        FATAL_ASSERT(NULL != pszFormatScan);
        p += strlen(definition.pszAI);

        int nDecimals = -1;
        if (-1 != definition.nDecimalPoint) {
            // The position digit must be there: reading it must not run past the scan.
            if ('\0' == *p) {
                snprintf(szError, sizeof(szError),
                         "The AI %s expects a decimal-position digit, the scan ends there.",
                         definition.pszAI);
                SetError(szError);
                return FALSE;
            }
            nDecimals = IsDigit(*p) ? *p - '0' : 0;
            p++;
        }

        // The first piece stands for the AI itself.
        char szPiece[MAX_FORMATPIECE];
        pszFormatScan = ExtractTokenA(pszFormatScan, '+', szPiece, sizeof(szPiece));
        while (NULL != pszFormatScan && '\0' != *pszFormatScan) {
            pszFormatScan = ExtractTokenA(pszFormatScan, '+', szPiece, sizeof(szPiece));
            PieceType type;
            int nMinLength;
            int nMaxLength;
            if (!ParseSingleAIFormat(szPiece, &type, &nMinLength, &nMaxLength)) {
                return FALSE;
            }
            if (m_nFields >= MAX_DATAFIELDS) {
                snprintf(szError, sizeof(szError),
                         "A scan may hold at most %d fields.", MAX_DATAFIELDS);
                SetError(szError);
                return FALSE;
            }
            char szContents[MAX_FIELDLEN + 1];
            p = ExtractField(p, szContents, type, nMinLength, nMaxLength);
            if (NULL == p) {
                return FALSE;
            }

            const bool fLastPiece = '\0' == *pszFormatScan;
            if (-1 != nDecimals && fLastPiece) {
                // Written from the digits, so that amounts of up to 15 digits
                // (beyond 32 bits) keep every digit.
                char szValue[MAX_FIELDLEN + 1];
                if (!FormatDecimal(szContents, nDecimals, szValue, sizeof(szValue))) {
                    snprintf(szError, sizeof(szError),
                             "Data too long to write with %d decimals [%s]", nDecimals, szContents);
                    SetError(szError);
                    return FALSE;
                }
                AddField(m_nFields, definition.pszAI, szValue);
            } else {
                AddField(m_nFields, definition.pszAI, szContents);
            }
            m_nFields++;
        }
    }
    return TRUE;
}

int EAN128::GetFieldCount() const
{
    return m_nFields;
}

const char* EAN128::GetFieldAI(int nFieldIndex) const
{
    FATAL_ASSERT((nFieldIndex >= 0) && (nFieldIndex < MAX_DATAFIELDS));
    return m_szFieldAI[nFieldIndex];
}

const char* EAN128::GetFieldData(int nFieldIndex) const
{
    FATAL_ASSERT((nFieldIndex >= 0) && (nFieldIndex < MAX_DATAFIELDS));
    return m_szFieldData[nFieldIndex];
}

const char* EAN128::GetError() const
{
    return m_pszError;
}

int EAN128::FindAI(const char* pszScan) const
{
    for (int nRow = 0; NULL != gAIDefinitions[nRow].pszAI; nRow++) {
        const char* pszAI = gAIDefinitions[nRow].pszAI;
        int i = 0;
        // A shorter scan text meets its terminator here and does not match.
        while ('\0' != pszAI[i] && LowerAscii(pszAI[i]) == LowerAscii(pszScan[i])) {
            i++;
        }
        if ('\0' == pszAI[i]) {
            return nRow;
        }
    }
    return -1;
}

BOOL EAN128::ParseSingleAIFormat(const char* pszSingleAIFormat, PieceType* pType,
                                 int* pnMinLength, int* pnMaxLength)
{
    FATAL_ASSERT(NULL != pszSingleAIFormat);
    const char* pszRest;
    if ('a' == LowerAscii(pszSingleAIFormat[0]) && 'n' == LowerAscii(pszSingleAIFormat[1])) {
        *pType = PIECE_ALPHANUMERIC;
        pszRest = pszSingleAIFormat + 2;
    } else if ('n' == LowerAscii(pszSingleAIFormat[0])) {
        *pType = PIECE_NUMERIC;
        pszRest = pszSingleAIFormat + 1;
    } else {
        SetError("A single format specifier must start with 'n' or 'an'");
        return FALSE;
    }

    if ('.' == pszRest[0] && '.' == pszRest[1]) {
        if (!IsNumeric(pszRest + 2)) {
            SetError("'..' must be followed by a numeric string.");
            return FALSE;
        }
        *pnMinLength = 1;
        *pnMaxLength = ReadLength(pszRest + 2);
    } else {
        if (!IsNumeric(pszRest)) {
            SetError("'n' or 'an' must be followed by '..' or a numeric string.");
            return FALSE;
        }
        *pnMinLength = ReadLength(pszRest);
        *pnMaxLength = *pnMinLength;
    }
    return TRUE;
}

const char* EAN128::ExtractField(const char* pszBarcodeScan, char* szContents, PieceType type,
                                 int nMinLength, int nMaxLength)
{
    FATAL_ASSERT(NULL != pszBarcodeScan);
    FATAL_ASSERT(NULL != szContents);
    FATAL_ASSERT(nMinLength > 0);
    FATAL_ASSERT(nMaxLength > 0);

    char szError[MAX_ERRORLEN];
    const char* p = pszBarcodeScan;
    if (nMinLength == nMaxLength) {
        // What is left of the scan, counted only as far as the piece needs.
        const int nLeft = CountUpTo(p, nMaxLength);
        if (nLeft < nMaxLength) {
            snprintf(szError, sizeof(szError),
                     "The AI expects %d characters to follow AI, there's only %d characters.",
                     nMaxLength, nLeft);
            SetError(szError);
            return NULL;
        }
        if (TRUE != FitsField(nMaxLength)) {
            return NULL;
        }
        memcpy(szContents, p, (size_t)nMaxLength);
        szContents[nMaxLength] = '\0';
        p += nMaxLength;
    } else {
        const int nLeft = CountUpTo(p, nMinLength);
        if (nLeft < nMinLength) {
            snprintf(szError, sizeof(szError),
                     "The AI expects at least %d characters to follow AI, there's only %d characters.",
                     nMinLength, nLeft);
            SetError(szError);
            return NULL;
        }
        // The format's maximum is not applied; the field store's is.
        int cch = 0;
        while ('\0' != p[cch] && GS1_GS != p[cch]) {
            cch++;
        }
        if (TRUE != FitsField(cch)) {
            return NULL;
        }
        memcpy(szContents, p, (size_t)cch);
        szContents[cch] = '\0';
        p += cch;
        if (GS1_GS == *p) {
            p++;
        }
    }

    if (PIECE_NUMERIC == type) {
        if (!IsNumeric(szContents)) {
            snprintf(szError, sizeof(szError), "Data must be numeric [%s]", szContents);
            SetError(szError);
            return NULL;
        }
    } else if (!IsAlphanumeric(szContents)) {
        snprintf(szError, sizeof(szError), "Data must be alphanumeric [%s]", szContents);
        SetError(szError);
        return NULL;
    }
    return p;
}

BOOL EAN128::IsAlphanumeric(const char* psz) const
{
    FATAL_ASSERT(NULL != psz);
    for (; '\0' != *psz; psz++) {
        if (' ' == *psz && m_fStrict) {
            return FALSE;
        }
        if (NULL == strchr(AI_CHARSET, *psz)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL EAN128::IsNumeric(const char* psz) const
{
    FATAL_ASSERT(NULL != psz);
    for (; '\0' != *psz; psz++) {
        if (!IsDigit(*psz)) {
            return FALSE;
        }
    }
    return TRUE;
}

void EAN128::AddField(int nFieldIndex, const char* pszFieldAI, const char* pszFieldData)
{
    FATAL_ASSERT(NULL != pszFieldData);
    FATAL_ASSERT(NULL != pszFieldAI);
    FATAL_ASSERT((nFieldIndex >= 0) && (nFieldIndex < MAX_DATAFIELDS));
    FATAL_ASSERT(strlen( pszFieldData ) <= MAX_FIELDLEN);
    FATAL_ASSERT(strlen( pszFieldAI ) <= MAX_AILEN);
    memcpy(m_szFieldData[nFieldIndex], pszFieldData, strlen(pszFieldData) + 1);
    memcpy(m_szFieldAI[nFieldIndex], pszFieldAI, strlen(pszFieldAI) + 1);
}

BOOL EAN128::FitsField(int cchData)
{
    if (cchData <= MAX_FIELDLEN) {
        return TRUE;
    }
    char szError[MAX_ERRORLEN];
    snprintf(szError, sizeof(szError),
             "A data field may hold at most %d characters, there are %d characters.", MAX_FIELDLEN,
             cchData);
    SetError(szError);
    return FALSE;
}

void EAN128::SetError(const char* pszError)
{
    FATAL_ASSERT(NULL != pszError);
    ClearError();
    const size_t cb = strlen(pszError) + 1;
    m_pszError = new (std::nothrow) char[cb];
    FATAL_ASSERT(NULL != m_pszError);
    memcpy(m_pszError, pszError, cb);
}

void EAN128::ClearError()
{
    delete[] m_pszError;
    m_pszError = NULL;
}
