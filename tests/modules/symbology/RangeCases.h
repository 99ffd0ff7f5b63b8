// The length ranges that the Symbol and the BHT back-ends accept and refuse:
// one table, run natively against the shared configuration and under Wine
// against both back-ends.
#pragma once

#include <gtest/gtest.h>

#include <stdint.h>
#include <string.h>

#include "common/Types.h"
#include "modules/symbology/SymbologyBackend.h"

enum RangeOperation
{
    RANGE_CODE39,
    RANGE_CODE128,
    RANGE_EAN128,
    RANGE_CODABAR,
    RANGE_I2OF5,
    RANGE_D2OF5,
};

struct RangeCase
{
    RangeOperation operation;
    int32_t nMin;
    int32_t nMax;
    BOOL bAccepted;
};

// Bounds as a back-end's user meets them: Code 39, Code 128, GS1-128 and
// Standard 2 of 5 take 1 to 99, Codabar 3 to 99, Interleaved 2 of 5 even
// lengths from 2 to 98.
static const RangeCase grgRangeCases[] = {
    { RANGE_CODE39, 1, 99, TRUE },
    { RANGE_CODE39, 99, 99, TRUE },
    { RANGE_CODE39, 7, 7, TRUE },
    { RANGE_CODE39, 0, 5, FALSE },       // minimum below 1
    { RANGE_CODE39, 1, 0, FALSE },       // maximum below 1
    { RANGE_CODE39, -5, 10, FALSE },
    { RANGE_CODE39, 10, 5, FALSE },      // minimum above maximum
    { RANGE_CODE39, 1, 100, FALSE },     // maximum above 99
    { RANGE_CODE39, 100, 100, FALSE },
    { RANGE_CODE128, 1, 99, TRUE },
    { RANGE_CODE128, 0, 99, FALSE },
    { RANGE_CODE128, 50, 49, FALSE },
    { RANGE_CODE128, 1, 100, FALSE },
    { RANGE_EAN128, 1, 99, TRUE },
    { RANGE_EAN128, 48, 48, TRUE },
    { RANGE_EAN128, 0, 0, FALSE },
    { RANGE_EAN128, 2, 1, FALSE },
    { RANGE_EAN128, 99, 100, FALSE },
    { RANGE_CODABAR, 3, 99, TRUE },
    { RANGE_CODABAR, 3, 3, TRUE },
    { RANGE_CODABAR, 2, 99, FALSE },     // minimum below 3
    { RANGE_CODABAR, 3, 2, FALSE },
    { RANGE_CODABAR, 4, 100, FALSE },
    { RANGE_I2OF5, 2, 98, TRUE },
    { RANGE_I2OF5, 4, 4, TRUE },
    { RANGE_I2OF5, 3, 98, FALSE },       // odd minimum
    { RANGE_I2OF5, 2, 97, FALSE },       // odd maximum
    { RANGE_I2OF5, 2, 99, FALSE },
    { RANGE_I2OF5, 2, 100, FALSE },      // even but above 98
    { RANGE_I2OF5, 0, 98, FALSE },       // even but below 2
    { RANGE_I2OF5, -2, 4, FALSE },
    { RANGE_I2OF5, 6, 4, FALSE },
    { RANGE_D2OF5, 1, 99, TRUE },
    { RANGE_D2OF5, 0, 99, FALSE },
    { RANGE_D2OF5, 1, 100, FALSE },
    { RANGE_D2OF5, 60, 59, FALSE },
};

// The option a three-argument operation is called with, to see it stored.
#define RANGE_CASE_OPTION 1

inline const char* RangeOperationName(RangeOperation operation)
{
    switch (operation) {
    case RANGE_CODE39: return "enableCode39";
    case RANGE_CODE128: return "enableCode128";
    case RANGE_EAN128: return "enableEAN128";
    case RANGE_CODABAR: return "enableCodabar";
    case RANGE_I2OF5: return "enableInterleave2of5";
    case RANGE_D2OF5: return "enableStandard2of5";
    }
    return "?";
}

// Calls the case's operation on any back-end with the shared configuration.
inline BOOL ApplyRangeCase(SymbologyBackend& backend, const RangeCase& c)
{
    switch (c.operation) {
    case RANGE_CODE39: return backend.enableCode39(c.nMin, c.nMax, RANGE_CASE_OPTION);
    case RANGE_CODE128: return backend.enableCode128(c.nMin, c.nMax);
    case RANGE_EAN128: return backend.enableEAN128(c.nMin, c.nMax);
    case RANGE_CODABAR: return backend.enableCodabar(c.nMin, c.nMax, RANGE_CASE_OPTION);
    case RANGE_I2OF5: return backend.enableInterleave2of5(c.nMin, c.nMax, RANGE_CASE_OPTION);
    case RANGE_D2OF5: return backend.enableStandard2of5(c.nMin, c.nMax, RANGE_CASE_OPTION);
    }
    return FALSE;
}

// The symbology of the configuration that the case's operation writes.
inline const VariableSymbology& RangeCaseSymbology(const SymbologyConfig& config, RangeOperation operation)
{
    switch (operation) {
    case RANGE_CODE39: return config.code39;
    case RANGE_CODE128: return config.code128;
    case RANGE_EAN128: return config.ean128;
    case RANGE_CODABAR: return config.codabar;
    case RANGE_I2OF5: return config.interleave2of5;
    case RANGE_D2OF5: return config.standard2of5;
    }
    return config.code39;
}

// Whether the operation has an option argument (Code 128 and GS1-128 have none).
inline BOOL RangeCaseHasOption(RangeOperation operation)
{
    return RANGE_CODE128 != operation && RANGE_EAN128 != operation ? TRUE : FALSE;
}

inline bool SameConfig(const SymbologyConfig& a, const SymbologyConfig& b)
{
    return 0 == memcmp(&a, &b, sizeof(SymbologyConfig));
}

// Each case on a fresh back-end: an accepted range is stored with the
// enabled flag and the option; a refused one changes nothing at all.
template <class TBackend>
void ExpectRangeCases()
{
    for (const RangeCase& c : grgRangeCases) {
        SCOPED_TRACE(::testing::Message() << RangeOperationName(c.operation) << "(" << c.nMin << ", "
                                          << c.nMax << ")");
        TBackend backend;
        const SymbologyConfig before = backend.getConfig();
        EXPECT_EQ(c.bAccepted, ApplyRangeCase(backend, c));
        if (TRUE == c.bAccepted) {
            const VariableSymbology& stored = RangeCaseSymbology(backend.getConfig(), c.operation);
            EXPECT_EQ(TRUE, stored.bEnabled);
            EXPECT_EQ(c.nMin, stored.nMin);
            EXPECT_EQ(c.nMax, stored.nMax);
            EXPECT_EQ(TRUE == RangeCaseHasOption(c.operation) ? RANGE_CASE_OPTION : 0, stored.nOption);
            EXPECT_EQ(FALSE, backend.isNoBarcodeTypeEnabled());
        } else {
            EXPECT_TRUE(SameConfig(before, backend.getConfig()));
            EXPECT_EQ(TRUE, backend.isNoBarcodeTypeEnabled());
        }
    }
}

// Once started, every operation is refused and the configuration stays as
// it was; enableAllBarcodeTypes stops at its first refusal.
template <class TBackend>
void ExpectRefusedOnceStarted(TBackend& backend)
{
    const SymbologyConfig before = backend.getConfig();
    EXPECT_EQ(FALSE, backend.enableUPCA());
    EXPECT_EQ(FALSE, backend.enableEAN13());
    EXPECT_EQ(FALSE, backend.enableUPCE0());
    EXPECT_EQ(FALSE, backend.enableEAN8());
    for (const RangeCase& c : grgRangeCases) {
        if (TRUE == c.bAccepted) {
            EXPECT_EQ(FALSE, ApplyRangeCase(backend, c)) << RangeOperationName(c.operation);
        }
    }
    EXPECT_EQ(FALSE, backend.enableAllBarcodeTypes());
    EXPECT_TRUE(SameConfig(before, backend.getConfig()));
}
