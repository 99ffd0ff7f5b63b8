// The fields of one GS1-128 scan as plain data, so that they outlive the
// parser: the script function pushes them after the parser is gone (a Lua
// error may unwind past anything still alive), and the command-line tool
// prints them.
#pragma once

#include "common/Types.h"
#include "gs1/EAN128.h"

// Room for the parser's error text; a longer one is cut.
#define MAX_SCAN_ERROR 256

struct ScanFields
{
    BOOL fParsed;
    int nFields;
    char szFieldAI[MAX_DATAFIELDS][MAX_AILEN + 1];
    char szFieldData[MAX_DATAFIELDS][MAX_FIELDLEN + 1];
    // The parser's reason when fParsed is FALSE, else empty.
    char szError[MAX_SCAN_ERROR];
};

// Parses pszScan with the strict flag fStrict into *pFields.
void ParseScanFields(const char* pszScan, BOOL fStrict, ScanFields* pFields);
