// The GS1 application identifiers that the parser recognises, with their
// formats. An AI that is not in this table is not recognised at all.
#pragma once

#include "common/Types.h"

// One application identifier.
struct AIDefinition
{
    // Two to four digits. Rows with a decimal-position digit hold only the
    // first three: "310" stands for 3100 to 3109.
    const char* pszAI;
    const char* pszTitle;
    // Pieces joined by "+": a type ("n" digits, "an" the characters of
    // AI_CHARSET) and a length, either L (exactly L) or "..M" (1 to M, ended
    // by a group separator or the end of the scan). The first piece stands
    // for the AI itself; every further piece is one data field.
    const char* pszFormat;
    const char* pszDataTitle;
    // Unit of measure of the rows 310 to 369, null elsewhere.
    const char* pszUnit;
    // -1: no decimal-position digit. Any other value: the AI digits are
    // followed by one digit giving the decimal places of the last piece.
    int nDecimalPoint;
};

#define AI_DEFINITION_COUNT 128

// AI_DEFINITION_COUNT rows in ascending text order of pszAI, then an end row
// whose texts are null. No pszAI is the beginning of another.
extern const AIDefinition gAIDefinitions[AI_DEFINITION_COUNT + 1];

// The characters allowed in alphanumeric data: the space, then the 82
// characters of the GS1 encodable set 82 in code order.
extern const char AI_CHARSET[];
