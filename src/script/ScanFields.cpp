#include "script/ScanFields.h"

#include <string.h>

#include "common/Assert.h"

static void CopyText(char* pszTarget, size_t cbTarget, const char* pszSource)
{
    size_t cch = strlen(pszSource);
    if (cch >= cbTarget) {
        cch = cbTarget - 1;
    }
    memcpy(pszTarget, pszSource, cch);
    pszTarget[cch] = '\0';
}

void ParseScanFields(const char* pszScan, BOOL fStrict, ScanFields* pFields)
{
    FATAL_ASSERT(NULL != pszScan);
    FATAL_ASSERT(NULL != pFields);
    EAN128 parser;
    parser.m_fStrict = (TRUE == fStrict);
    pFields->fParsed = parser.Parse(pszScan);
    pFields->nFields = 0;
    pFields->szError[0] = '\0';
    if (TRUE != pFields->fParsed) {
        // A parser always says why it failed; guard anyway so the script
        // never receives nil without a message.
        const char* pszError = parser.GetError();
        CopyText(pFields->szError, sizeof(pFields->szError),
                 (NULL != pszError) ? pszError : "The scan could not be parsed.");
        return;
    }
    pFields->nFields = parser.GetFieldCount();
    FATAL_ASSERT(pFields->nFields >= 0 && pFields->nFields <= MAX_DATAFIELDS);
    for (int i = 0; i < pFields->nFields; i++) {
        CopyText(pFields->szFieldAI[i], sizeof(pFields->szFieldAI[i]), parser.GetFieldAI(i));
        CopyText(pFields->szFieldData[i], sizeof(pFields->szFieldData[i]), parser.GetFieldData(i));
    }
}
