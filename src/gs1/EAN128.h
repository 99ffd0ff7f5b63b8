// Splits one GS1-128 scan into its data fields, checked against the AI table.
#pragma once

#include "common/Types.h"

#define MAX_AILEN 4
#define MAX_FIELDLEN 50
#define MAX_DATAFIELDS 10

// The type of one format piece: digits only, or the characters of AI_CHARSET.
enum PieceType
{
    PIECE_NUMERIC,
    PIECE_ALPHANUMERIC,
};

// One parser per scan. It keeps copies of the fields in fixed arrays and
// allocates nothing but the text of its last failure.
class EAN128
{
public:
    EAN128();
    ~EAN128();

    EAN128(const EAN128&) = delete;
    EAN128& operator=(const EAN128&) = delete;

    // Splits pszBarcode (8-bit, NUL-terminated) into fields. FALSE at the first
    // fault, with the reason in GetError(); fields stored before it remain.
    BOOL Parse(const char* pszBarcode);

    // The fields of the last Parse, in scan order: 0 to GetFieldCount() - 1.
    // An AI with several data pieces gives one field per piece, all with the
    // same AI text; an AI with a decimal-position digit gives its three-digit
    // text ("310" for 3102).
    int GetFieldCount() const;
    const char* GetFieldAI(int nFieldIndex) const;
    const char* GetFieldData(int nFieldIndex) const;

    // The reason of the most recent failure, or null if there was none. A later
    // successful Parse leaves it in place.
    const char* GetError() const;

    // true makes a space in alphanumeric data an error; set by the owner.
    bool m_fStrict;

protected:
    // Row of the AI that begins at pszScan, or -1.
    int FindAI(const char* pszScan) const;
    // Reads one format piece such as "n18" or "an..20".
    BOOL ParseSingleAIFormat(const char* pszSingleAIFormat, PieceType* pType,
                             int* pnMinLength, int* pnMaxLength);
    // Copies one piece from pszBarcodeScan into szContents (MAX_FIELDLEN + 1
    // bytes) and checks it. Returns the position after the piece (and after
    // the separator that ended it), or null.
    const char* ExtractField(const char* pszBarcodeScan, char* szContents, PieceType type,
                             int nMinLength, int nMaxLength);
    BOOL IsAlphanumeric(const char* psz) const;
    BOOL IsNumeric(const char* psz) const;
    void AddField(int nFieldIndex, const char* pszFieldAI, const char* pszFieldData);
    void SetError(const char* pszError);
    // FALSE, with the error set, when a piece of cchData characters does not
    // fit a field.
    BOOL FitsField(int cchData);
    void ClearError();

private:
    int m_nFields;
    char m_szFieldAI[MAX_DATAFIELDS][MAX_AILEN + 1];
    char m_szFieldData[MAX_DATAFIELDS][MAX_FIELDLEN + 1];
    char* m_pszError;
};

// Writes the digits of pszDigits with nDecimals of them after a decimal point,
// as "%.*f" writes the value digits x 10^-nDecimals: leading zeros dropped
// except one before the point, no point when nDecimals is 0. Exact for any
// number of digits. FALSE when the text and its terminator need more than
// cbOutput bytes.
BOOL FormatDecimal(const char* pszDigits, int nDecimals, char* pszOutput, size_t cbOutput);
