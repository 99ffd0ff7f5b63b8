// Any label printed by anyone reaches Parse: it must never crash, leak, read
// past the scan or break the field store's limits, strict or lax.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>

#include "gs1/EAN128.h"

namespace {

void Check(bool fCondition)
{
    if (!fCondition) {
        __builtin_trap();
    }
}

void CheckFields(const EAN128& parser)
{
    Check(parser.GetFieldCount() >= 0 && parser.GetFieldCount() <= MAX_DATAFIELDS);
    for (int i = 0; i < parser.GetFieldCount(); i++) {
        Check(strlen(parser.GetFieldAI(i)) >= 2 && strlen(parser.GetFieldAI(i)) <= MAX_AILEN);
        Check(strlen(parser.GetFieldData(i)) <= MAX_FIELDLEN);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t cbData)
{
    // A scan is a NUL-terminated text: bytes after a NUL never reach the parser.
    const std::string strScan(reinterpret_cast<const char*>(pData), cbData);

    EAN128 strict;
    const BOOL fStrict = strict.Parse(strScan.c_str());
    CheckFields(strict);
    Check((TRUE == fStrict) == (NULL == strict.GetError()));

    EAN128 lax;
    lax.m_fStrict = false;
    const BOOL fLax = lax.Parse(strScan.c_str());
    CheckFields(lax);
    Check((TRUE == fLax) == (NULL == lax.GetError()));

    // The lax parser refuses nothing that the strict one accepts, and reads it the same way.
    if (TRUE == fStrict) {
        Check(TRUE == fLax);
        Check(strict.GetFieldCount() == lax.GetFieldCount());
        for (int i = 0; i < strict.GetFieldCount(); i++) {
            Check(0 == strcmp(strict.GetFieldAI(i), lax.GetFieldAI(i)));
            Check(0 == strcmp(strict.GetFieldData(i), lax.GetFieldData(i)));
        }
    }

    // A second parse with the same object starts its fields afresh.
    if (TRUE == lax.Parse(strScan.c_str())) {
        Check(lax.GetFieldCount() <= MAX_DATAFIELDS);
    }
    return 0;
}
